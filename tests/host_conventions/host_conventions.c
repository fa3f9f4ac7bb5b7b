/* A host for the 32-bit module that knows nothing of the module's own
 * headers: its records, its table of panel services and its interface
 * objects are declared here, from the simulator's published layout, and the
 * interface operations are thiscall as the simulator's compiler makes them.
 * It loads the module file, drives every gauge through a panel without
 * traffic and then through one with a traffic interface, resizing each
 * placement on the way and closing the panel at the end, and reports on
 * nine conventions:
 *
 *   interface object in ECX      every call into the registered object and
 *                                the traffic interface has its object in ECX
 *   name argument                QueryInterface gets "ITrafficInfo"
 *   own object per operation     each traffic operation sees the traffic
 *                                object, not the registered one
 *   stack balanced               every call into the module returns with the
 *                                stack where it was before the arguments
 *   mouse lists                  every gauge's list reaches its end-of-list
 *                                record (type 0) within the module's image,
 *                                through parents, children and end-parents
 *   named-variable ids           no -1, and no id this host did not issue,
 *                                reaches get or set
 *   initialize_var               entry 38 has seen each module-variable
 *                                record before entry 40 looks it up
 *   Graphics before its context  no Graphics the module made on a device
 *                                context is alive when the host releases
 *                                it: after pre-generate (8) when a resize
 *                                makes the image anew, after pre-kill (12)
 *                                when the panel closes
 *   drawn again after a resize   the frames after post-generate (9) make
 *                                a Graphics on the new image's device
 *                                context (its handle may be the old one's)
 *
 * The last two watch the module's own GDI+ calls: its import address
 * table's entries for GdipCreateFromHDC and GdipDeleteGraphics lead to
 * this host, which passes them on to gdiplus.dll.
 *
 *   host_conventions.exe MODULE [--result FILE]
 *
 * Exit status 0 when all nine hold. A crash inside the module ends the run
 * with the report so far and the call that was under way.
 */
#include <windows.h>

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#if !defined(_WIN32) || defined(_WIN64) || !defined(__i386__)
#error "host_conventions is a 32-bit Windows program"
#endif

#define THISCALL __attribute__((thiscall))
#define STDCALL __attribute__((stdcall))

/* ------------------------------------------------------------------------
 * The simulator's records, 32-bit. */
#pragma pack(push, 4)
typedef struct {
    uint32_t token;
    void* var_ptr;
    uint32_t var_type;
    double value;
    double previous_value;
} TokenRecord;
#pragma pack(pop)
_Static_assert(sizeof(TokenRecord) == 28, "MODULE_VAR");
_Static_assert(offsetof(TokenRecord, value) == 12, "MODULE_VAR value");
_Static_assert(offsetof(TokenRecord, previous_value) == 20, "MODULE_VAR old value");

typedef struct {
    int32_t x, y;
} ClickPointer;

typedef void(STDCALL* PlainRoutine)(void);
typedef void(STDCALL* ResourceRoutine)(void* resource);
typedef void(STDCALL* PhaseRoutine)(uint32_t phase);
typedef void(STDCALL* Callback)(void* header, int32_t service, uintptr_t extra);
typedef int32_t(STDCALL* ClickHandler)(ClickPointer* point, uint32_t flags);

typedef struct {
    uint32_t flags;
    int32_t width;
    int32_t height;
} ImageHeader;

typedef struct Element {
    uint8_t before_owner[32];
    void* owner;              /* 32 */
    uint32_t at36;
    struct Element** next;    /* 40 */
    uint32_t at44;
    uint32_t image_flags;     /* 48 */
    uint32_t at52[2];
    ImageHeader* image;       /* 60 */
    uint32_t at64[4];
    HDC device_context;       /* 80 */
} Element;
_Static_assert(offsetof(Element, owner) == 32, "element owner");
_Static_assert(offsetof(Element, next) == 40, "element next list");
_Static_assert(offsetof(Element, image_flags) == 48, "element image flags");
_Static_assert(offsetof(Element, image) == 60, "element image");
_Static_assert(offsetof(Element, device_context) == 80, "element device context");

typedef struct {
    uint32_t type;             /* 0 end of list, 1 parent, 2 child, 3 end-parent */
    int32_t x, y, width, height;
    int32_t cursor;            /* 20 */
    uint32_t help_id;
    uint32_t mouse_flags;      /* 28 */
    uint32_t event_id;
    ClickHandler routine;      /* 36 */
    void* routine_data;
} MouseRecord;
_Static_assert(sizeof(MouseRecord) == 44, "MOUSERECT");
_Static_assert(offsetof(MouseRecord, routine) == 36, "MOUSERECT routine");
enum { kEndOfList = 0, kParent = 1, kChild = 2, kEndParent = 3 };
#define kLeftSingle 0x20000000u

typedef struct {
    uint32_t version;          /* 0 */
    const char* name;          /* 4 */
    Element** elements;        /* 8 */
    PlainRoutine query;        /* 12 */
    ResourceRoutine install;   /* 16 */
    PlainRoutine initialize;   /* 20 */
    PlainRoutine update;       /* 24 */
    PhaseRoutine generate;     /* 28 */
    PlainRoutine draw;         /* 32 */
    PlainRoutine kill;         /* 36 */
    uint32_t at40;
    uint32_t width_mm;         /* 44 */
    uint32_t at48[8];
    MouseRecord* mouse;        /* 80 */
    Callback callback;         /* 84 */
} GaugeHead;
_Static_assert(offsetof(GaugeHead, name) == 4, "header name");
_Static_assert(offsetof(GaugeHead, kill) == 36, "header kill");
_Static_assert(offsetof(GaugeHead, width_mm) == 44, "header width");
_Static_assert(offsetof(GaugeHead, mouse) == 80, "header mouse rectangles");
_Static_assert(offsetof(GaugeHead, callback) == 84, "header callback");

typedef struct {
    uint32_t module_id;
    PlainRoutine module_init;
    PlainRoutine module_deinit;
    uint32_t flags, priority, version;
    GaugeHead* gauges[1];      /* 24: null-terminated */
} LinkageHead;
_Static_assert(offsetof(LinkageHead, gauges) == 24, "Linkage gauges");

typedef struct {
    uint32_t id;
    void* pointer;
} ImportSlot;
#define kPanelsId 0x0Fu

enum {
    kServicePreGenerate = 8,
    kServicePostGenerate = 9,
    kServicePreDraw = 10,
    kServicePreKill = 12,
    kServicePostKill = 13,
    kServiceConnect = 14,
    kServiceDisconnect = 15,
};

/* ------------------------------------------------------------------------
 * The report. */
enum Check {
    kObjectInEcx,
    kNameArgument,
    kOwnObject,
    kStackBalanced,
    kMouseLists,
    kNamedVariableIds,
    kInitializeVar,
    kGraphicsBeforeRelease,
    kDrawnAfterResize,
    kCheckCount
};
static const char* const kCheckNames[kCheckCount] = {
    "interface object in ECX", "QueryInterface name \"ITrafficInfo\"", "traffic operations see their own object",
    "stack balanced across calls into the module", "mouse lists end with type 0 within the image",
    "no -1 or unissued id to get or set", "entry 38 before each record's first look-up",
    "no Graphics alive on a released device context", "a new Graphics on the image made on a resize",
};
#define kFailuresKept 4
static struct {
    unsigned checked;
    unsigned failed;
    char failures[kFailuresKept][160];  /* the first ones, each once */
} report[kCheckCount];
static const char* current_call = "nothing yet";
static FILE* result_file;

static void Note(enum Check check, int ok, const char* format, ...) {
    ++report[check].checked;
    if (ok) return;
    ++report[check].failed;
    char text[sizeof report[check].failures[0]];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    for (int k = 0; k < kFailuresKept; ++k) {
        if (strcmp(report[check].failures[k], text) == 0) return;
        if (report[check].failures[k][0] == '\0') {
            strcpy(report[check].failures[k], text);
            return;
        }
    }
}

static int PrintReport(const char* ending) {
    int failures = 0;
    printf("host_conventions: %s\n", ending);
    for (int c = 0; c < kCheckCount; ++c) {
        const char* verdict = report[c].failed ? "FAIL" : report[c].checked ? "pass" : "NOT REACHED";
        if (report[c].failed || !report[c].checked) ++failures;
        printf("  %-46s %-11s %u checked, %u failed\n", kCheckNames[c], verdict, report[c].checked, report[c].failed);
        for (int k = 0; k < kFailuresKept && report[c].failures[k][0]; ++k) printf("      %s\n", report[c].failures[k]);
    }
    if (result_file) {
        fprintf(result_file, "stage=i686_conventions\nresult=%s\nreason=%s\n", failures ? "FAIL" : "pass", ending);
        for (int c = 0; c < kCheckCount; ++c)
            fprintf(result_file, "check_%d=%s: %u checked, %u failed%s%s\n", c, kCheckNames[c], report[c].checked,
                    report[c].failed, report[c].failed ? "; first: " : "", report[c].failures[0]);
        fclose(result_file);
        result_file = NULL;
    }
    fflush(stdout);
    return failures;
}

static LONG WINAPI OnCrash(EXCEPTION_POINTERS* info) {
    char ending[200];
    snprintf(ending, sizeof ending, "crashed (exception 0x%08lx at %p) during %s",
             (unsigned long)info->ExceptionRecord->ExceptionCode, info->ExceptionRecord->ExceptionAddress,
             current_call);
    PrintReport(ending);
    ExitProcess(3);
    return EXCEPTION_EXECUTE_HANDLER;
}

/* ------------------------------------------------------------------------
 * Calls into the module: the arguments pushed right to left, a stray value
 * in ECX, and the stack pointer compared after the return with its value
 * before the pushes (a stdcall routine removes its arguments itself). The
 * stack pointer is set back either way. */
uint32_t checked_call(void* routine, uint32_t count, const uint32_t* words);
int32_t checked_call_stack_offset;
uint32_t checked_call_saved_stack;
__asm__(
    ".text\n"
    ".globl _checked_call\n"
    "_checked_call:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl %ebx\n"
    "  pushl %esi\n"
    "  pushl %edi\n"
    "  movl 8(%ebp), %eax\n"
    "  movl 12(%ebp), %ecx\n"
    "  movl 16(%ebp), %edx\n"
    "  movl %esp, _checked_call_saved_stack\n"
    "1:\n"
    "  testl %ecx, %ecx\n"
    "  jz 2f\n"
    "  decl %ecx\n"
    "  pushl (%edx,%ecx,4)\n"
    "  jmp 1b\n"
    "2:\n"
    "  movl $0x0BADEC0C, %ecx\n"
    "  call *%eax\n"
    "  movl %esp, %edx\n"
    "  subl _checked_call_saved_stack, %edx\n"
    "  movl %edx, _checked_call_stack_offset\n"
    "  leal -12(%ebp), %esp\n"
    "  popl %edi\n"
    "  popl %esi\n"
    "  popl %ebx\n"
    "  popl %ebp\n"
    "  ret\n");

static uint32_t CallModule(const char* what, void* routine, uint32_t count, const uint32_t* words) {
    if (routine == NULL) return 0;
    current_call = what;
    const uint32_t returned = checked_call(routine, count, words);
    Note(kStackBalanced, checked_call_stack_offset == 0, "%s returned with the stack %+ld bytes off", what,
         (long)checked_call_stack_offset);
    current_call = "the host";
    return returned;
}

/* ------------------------------------------------------------------------
 * The module's image, for the mouse lists. */
static const uint8_t* image_begin;
static const uint8_t* image_end;

static void FindImage(HMODULE module) {
    const IMAGE_DOS_HEADER* dos = (const IMAGE_DOS_HEADER*)module;
    const IMAGE_NT_HEADERS32* nt = (const IMAGE_NT_HEADERS32*)((const uint8_t*)module + dos->e_lfanew);
    image_begin = (const uint8_t*)module;
    image_end = image_begin + nt->OptionalHeader.SizeOfImage;
}

static int InImage(const void* p, size_t bytes) {
    const uint8_t* b = (const uint8_t*)p;
    return b >= image_begin && b <= image_end && (size_t)(image_end - b) >= bytes;
}

static const char* GaugeName(const GaugeHead* gauge) { return InImage(gauge->name, 1) ? gauge->name : "?"; }

static void CheckMouseList(const GaugeHead* gauge) {
    const char* name = GaugeName(gauge);
    const MouseRecord* record = gauge->mouse;
    for (unsigned index = 0;; ++index, ++record) {
        if (!InImage(record, sizeof *record)) {
            Note(kMouseLists, 0, "%s: record %u lies outside the module's image", name, index);
            return;
        }
        if (record->type == kEndOfList) {
            Note(kMouseLists, index > 0 && record[-1].type == kEndParent,
                 "%s: the end of list (record %u) does not follow an end-parent", name, index);
            return;
        }
        if (record->type != kParent && record->type != kChild && record->type != kEndParent) {
            Note(kMouseLists, 0, "%s: record %u has type %lu where the list should go on or end", name, index,
                 (unsigned long)record->type);
            return;
        }
    }
}

/* ------------------------------------------------------------------------
 * The module's Graphics on device contexts, watched through its import
 * address table: the slots of GdipCreateFromHDC and GdipDeleteGraphics lead
 * to the two wrappers here, which keep which Graphics is alive on which
 * device context and pass the call on. GDI+'s flat functions are stdcall. */
typedef int32_t(STDCALL* CreateFromHdcFunction)(HDC dc, void** graphics);
typedef int32_t(STDCALL* DeleteGraphicsFunction)(void* graphics);
static CreateFromHdcFunction real_create_from_hdc;
static DeleteGraphicsFunction real_delete_graphics;

#define kMaxAlive 64
static struct {
    void* graphics;
    HDC dc;
} alive[kMaxAlive];
static unsigned alive_count;
static unsigned alive_lost;  /* made while the table was full */

/* Told of every Graphics made on a device context (the placements'). */
static void GraphicsMadeOn(HDC dc);

static int32_t STDCALL WatchedCreateFromHdc(HDC dc, void** graphics) {
    const int32_t status = real_create_from_hdc(dc, graphics);
    if (status == 0 && graphics != NULL && *graphics != NULL) {
        if (alive_count < kMaxAlive) {
            alive[alive_count].graphics = *graphics;
            alive[alive_count].dc = dc;
            ++alive_count;
        } else {
            ++alive_lost;
        }
        GraphicsMadeOn(dc);
    }
    return status;
}

static int32_t STDCALL WatchedDeleteGraphics(void* graphics) {
    for (unsigned i = 0; i < alive_count; ++i) {
        if (alive[i].graphics == graphics) {
            alive[i] = alive[--alive_count];
            break;
        }
    }
    return real_delete_graphics(graphics);
}

static unsigned AliveOn(HDC dc) {
    unsigned count = 0;
    for (unsigned i = 0; i < alive_count; ++i) count += alive[i].dc == dc;
    return count;
}

/* Points the module's import slot of DLL!NAME at the wrapper and keeps what
 * it held. The slot is found by the name the import lookup table gives it,
 * or else by the address the DLL exports under that name. */
static int WatchImport(HMODULE module, const char* dll, const char* name, void* wrapper, void** real) {
    const uint8_t* base = (const uint8_t*)module;
    const IMAGE_NT_HEADERS32* nt = (const IMAGE_NT_HEADERS32*)(base + ((const IMAGE_DOS_HEADER*)module)->e_lfanew);
    const IMAGE_DATA_DIRECTORY* directory = &nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    HMODULE exporter = GetModuleHandleA(dll);
    const void* exported = exporter ? (const void*)GetProcAddress(exporter, name) : NULL;
    if (directory->VirtualAddress == 0) return 0;
    for (const IMAGE_IMPORT_DESCRIPTOR* d = (const IMAGE_IMPORT_DESCRIPTOR*)(base + directory->VirtualAddress);
         d->Name != 0; ++d) {
        if (_stricmp((const char*)(base + d->Name), dll) != 0) continue;
        IMAGE_THUNK_DATA32* slots = (IMAGE_THUNK_DATA32*)(base + d->FirstThunk);
        const IMAGE_THUNK_DATA32* names =
            d->OriginalFirstThunk ? (const IMAGE_THUNK_DATA32*)(base + d->OriginalFirstThunk) : NULL;
        for (unsigned k = 0; slots[k].u1.Function != 0; ++k) {
            int found = exported != NULL && (const void*)(uintptr_t)slots[k].u1.Function == exported;
            if (names != NULL && !IMAGE_SNAP_BY_ORDINAL32(names[k].u1.Ordinal)) {
                const IMAGE_IMPORT_BY_NAME* by_name = (const IMAGE_IMPORT_BY_NAME*)(base + names[k].u1.AddressOfData);
                found = found || strcmp((const char*)by_name->Name, name) == 0;
            }
            if (!found) continue;
            DWORD protection;
            if (!VirtualProtect(&slots[k].u1.Function, sizeof slots[k].u1.Function, PAGE_READWRITE, &protection))
                return 0;
            *real = (void*)(uintptr_t)slots[k].u1.Function;
            slots[k].u1.Function = (DWORD)(uintptr_t)wrapper;
            VirtualProtect(&slots[k].u1.Function, sizeof slots[k].u1.Function, protection, &protection);
            return 1;
        }
    }
    return 0;
}

/* ------------------------------------------------------------------------
 * Named variables: ids from 0 in the order of creation, -1 for a name no
 * gauge created, names compared without case. */
#define kMaxVariables 64
static struct {
    char name[64];
    double value;
} variables[kMaxVariables];
static int32_t variable_count;

static int32_t FindVariable(const char* name) {
    if (name == NULL) return -1;
    for (int32_t id = 0; id < variable_count; ++id) {
        if (_stricmp(variables[id].name, name) == 0) return id;
    }
    return -1;
}

static int32_t CreateVariable(const char* name) {
    int32_t id = FindVariable(name);
    if (id >= 0 || name == NULL || variable_count == kMaxVariables) return id;
    snprintf(variables[variable_count].name, sizeof variables[variable_count].name, "%s", name);
    variables[variable_count].value = 0.0;
    return variable_count++;
}

static int IssuedId(int32_t id) { return id >= 0 && id < variable_count; }

static int32_t STDCALL CheckNamed(const char* name) { return FindVariable(name); }
static int32_t STDCALL RegisterNamed(const char* name) { return CreateVariable(name); }
static double STDCALL GetNamed(int32_t id) {
    Note(kNamedVariableIds, IssuedId(id), "get_named_variable_value(%ld)", (long)id);
    return IssuedId(id) ? variables[id].value : 0.0;
}
static void STDCALL SetNamed(int32_t id, double value) {
    Note(kNamedVariableIds, IssuedId(id), "set_named_variable_value(%ld, %g)", (long)id, value);
    if (IssuedId(id)) variables[id].value = value;
}

/* ------------------------------------------------------------------------
 * Token variables: entry 38 marks a record, entry 40 fills it. */
#define kMaxRecords 256
static const TokenRecord* initialized[kMaxRecords];
static unsigned initialized_count;
static double host_time_s = 1.0;

static int Initialized(const TokenRecord* record) {
    for (unsigned i = 0; i < initialized_count; ++i) {
        if (initialized[i] == record) return 1;
    }
    return 0;
}

static void STDCALL InitializeVar(TokenRecord* record) {
    if (record != NULL && !Initialized(record) && initialized_count < kMaxRecords) initialized[initialized_count++] = record;
}

static void STDCALL LookupVar(TokenRecord* record) {
    if (record == NULL) return;
    Note(kInitializeVar, Initialized(record), "lookup_var of the record at %p (token %lu) before initialize_var",
         (void*)record, (unsigned long)record->token);
    record->previous_value = record->value;
    switch (record->token) {
        case 604: record->value = host_time_s; break;          /* elapsed seconds */
        case 73: record->value = 3048.0; break;                /* altitude, metres */
        case 86: record->value = 90.0; break;                  /* true heading, degrees */
        /* 71 and 72, the own position: 0 N 0 E */
        default: record->value = 0.0; break;
    }
}

/* The element-list services: the host's own drawing, nothing to do here. */
static void STDCALL ElementList(void* element) { (void)element; }
static void STDCALL ElementListResource(void* element, void* resource) { (void)element; (void)resource; }
static void STDCALL ElementListPhase(void* element, uint32_t phase) { (void)element; (void)phase; }

/* ------------------------------------------------------------------------
 * The interface objects. The registered object has the base's eight
 * operations (0 AddRef, 1 Release, 2 QueryInterface, 3 GetVersion, four
 * more); the traffic interface derives from it and has its own from 8. */
typedef struct Object {
    const void* const* operations;
    const char* label;
    uint8_t room[64];  /* what a misplaced name argument may be read from */
} Object;

static Object registered_object;
static Object traffic_object;
static int traffic_offered;

static void CheckObject(Object* self, Object* expected, const char* operation) {
    Note(kObjectInEcx, self == &registered_object || self == &traffic_object, "%s got %p in ECX, not an object",
         operation, (void*)self);
    if (self == &registered_object || self == &traffic_object)
        Note(kOwnObject, self == expected, "%s got the %s object", operation, self->label);
}

static int IsOurs(Object* self, Object* expected) { return self == expected; }

static uint32_t THISCALL BaseUnused(Object* self) {
    CheckObject(self, &registered_object, "an unused base operation");
    return 0;
}

static void* THISCALL QueryInterface(Object* self, const char* name) {
    CheckObject(self, &registered_object, "QueryInterface");
    int named = 0;
    if (name == (const char*)&registered_object || name == (const char*)&traffic_object) {
        Note(kNameArgument, 0, "QueryInterface got an object (%p) where the name should be", (const void*)name);
    } else if (name == NULL || IsBadStringPtrA(name, 64)) {
        Note(kNameArgument, 0, "QueryInterface got %p, not a string", (const void*)name);
    } else {
        named = strcmp(name, "ITrafficInfo") == 0;
        Note(kNameArgument, named, "QueryInterface got \"%.40s\"", name);
    }
    return IsOurs(self, &registered_object) && named ? &traffic_object : NULL;
}

#define kTargets 3
static uint32_t THISCALL GetVariableHandle(Object* self, const char* name) {
    CheckObject(self, &traffic_object, "GetVariableHandle");
    (void)name;
    return 100;
}
static uint32_t THISCALL GetUnitsHandle(Object* self, const char* name) {
    CheckObject(self, &traffic_object, "GetUnitsHandle");
    (void)name;
    return 200;
}
static uint32_t THISCALL GetTrafficInRadius(Object* self, double radius_m, uint32_t max_count, uint32_t* ids) {
    CheckObject(self, &traffic_object, "GetTrafficInRadius");
    (void)radius_m;
    if (!IsOurs(self, &traffic_object) || ids == NULL || max_count < kTargets) return 0;
    for (uint32_t k = 0; k < kTargets; ++k) ids[k] = 10 + k;
    return kTargets;
}
static uint32_t THISCALL TrafficUnused(Object* self) {
    CheckObject(self, &traffic_object, "an unused traffic operation");
    return 0;
}
static int32_t THISCALL GetNumericValue(Object* self, uint32_t id, uint32_t variable, uint32_t unit, double* result,
                                        uint32_t index) {
    CheckObject(self, &traffic_object, "GetNumericValue");
    (void)variable, (void)unit, (void)index;
    if (!IsOurs(self, &traffic_object) || result == NULL) return 0;
    *result = 0.01 * id;
    return 1;
}
static int32_t THISCALL GetStringValue(Object* self, uint32_t id, uint32_t variable, char* buffer, uint32_t size,
                                       uint32_t index) {
    CheckObject(self, &traffic_object, "GetStringValue");
    (void)variable, (void)index;
    if (!IsOurs(self, &traffic_object) || buffer == NULL || size < 8) return 0;
    snprintf(buffer, size, "T%lu", (unsigned long)id);
    return 1;
}
static int reduced_data;
static uint32_t THISCALL ReducedDataFlag(Object* self) {
    CheckObject(self, &traffic_object, "ReducedDataFlag");
    return (uint32_t)reduced_data;
}
static const char* THISCALL GetTrafficName(Object* self, uint32_t id) {
    CheckObject(self, &traffic_object, "GetTrafficName");
    (void)id;
    return "REDUCED";
}

typedef uint32_t(THISCALL* UnusedOperation)(Object*);
static const void* const registered_operations[8] = {
    (void*)(UnusedOperation)BaseUnused, (void*)(UnusedOperation)BaseUnused, (void*)QueryInterface,
    (void*)(UnusedOperation)BaseUnused, (void*)(UnusedOperation)BaseUnused, (void*)(UnusedOperation)BaseUnused,
    (void*)(UnusedOperation)BaseUnused, (void*)(UnusedOperation)BaseUnused,
};
static const void* const traffic_operations[17] = {
    (void*)TrafficUnused, (void*)TrafficUnused, (void*)TrafficUnused, (void*)TrafficUnused,
    (void*)TrafficUnused, (void*)TrafficUnused, (void*)TrafficUnused, (void*)TrafficUnused,
    (void*)GetVariableHandle, (void*)GetUnitsHandle, (void*)GetTrafficInRadius, (void*)TrafficUnused,
    (void*)GetNumericValue, (void*)GetStringValue, (void*)TrafficUnused, (void*)ReducedDataFlag,
    (void*)GetTrafficName,
};

static void* STDCALL GetRegisteredInterface(const char* name) {
    (void)name;
    return traffic_offered ? &registered_object : NULL;
}

/* ------------------------------------------------------------------------
 * The panel services table, by position. */
#define kTableEntries 128
static void* panels[kTableEntries];

static void FillPanels(void) {
    for (int e = 24; e <= 31; ++e) panels[e] = (void*)ElementList;
    panels[25] = (void*)ElementListResource;
    panels[28] = (void*)ElementListPhase;
    panels[38] = (void*)InitializeVar;
    panels[40] = (void*)LookupVar;
    panels[51] = (void*)CheckNamed;
    panels[52] = (void*)RegisterNamed;
    panels[53] = (void*)GetNamed;
    panels[55] = (void*)SetNamed;
    panels[77] = (void*)GetRegisteredInterface;
}

/* ------------------------------------------------------------------------
 * A gauge placed on the panel: its picture and the calls a host makes. The
 * host owns the picture, a bitmap selected into a device context of its
 * own, and releases both when a resize makes the picture anew (between
 * pre-generate and post-generate) and when the panel closes (between
 * pre-kill and post-kill). */
typedef struct {
    GaugeHead* header;
    HDC dc;                  /* null once released */
    HBITMAP bitmap;
    HGDIOBJ previous;
    ImageHeader image;
    unsigned graphics_made;  /* by the module on dc since the picture was made */
} Placement;

#define kMaxPlacements 8
static Placement* placed;
static unsigned placed_count;

static void GraphicsMadeOn(HDC dc) {
    for (unsigned g = 0; g < placed_count; ++g) placed[g].graphics_made += placed[g].dc == dc;
}

static void MakePicture(Placement* p, int32_t width, int32_t height) {
    BITMAPINFO info = {0};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    p->dc = CreateCompatibleDC(NULL);
    p->bitmap = CreateDIBSection(p->dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    p->previous = SelectObject(p->dc, p->bitmap);
    p->image.flags = 0;
    p->image.width = width;
    p->image.height = height;
    p->graphics_made = 0;
}

/* No Graphics the module made on the device context may outlive it. One
 * that does is left out of later checks: the handle value may come back. */
static void ReleasePicture(Placement* p, const char* after) {
    Note(kGraphicsBeforeRelease, AliveOn(p->dc) == 0,
         "a device context released after %s still had a Graphics the module made on it", after);
    for (unsigned i = 0; i < alive_count; ++i) {
        if (alive[i].dc == p->dc) alive[i].dc = NULL;
    }
    SelectObject(p->dc, p->previous);
    DeleteObject(p->bitmap);
    DeleteDC(p->dc);
    p->dc = NULL;
    p->bitmap = NULL;
}

static Element* DrawingElement(const GaugeHead* header) {
    if (header->elements == NULL || header->elements[0] == NULL || header->elements[0]->next == NULL) return NULL;
    return header->elements[0]->next[0];
}

static void Service(Placement* p, int32_t service, const char* what) {
    Element* drawing = DrawingElement(p->header);
    if (drawing != NULL) {
        drawing->image = p->dc != NULL ? &p->image : NULL;
        drawing->device_context = p->dc;
    }
    const uint32_t words[3] = {(uint32_t)(uintptr_t)p->header, (uint32_t)service, 0};
    CallModule(what, (void*)p->header->callback, 3, words);
}

static void Place(Placement* p, GaugeHead* header, HMODULE module) {
    p->header = header;
    MakePicture(p, 200, 200);
    const uint32_t resource = (uint32_t)(uintptr_t)module;
    const uint32_t phase = 0;
    CallModule("the install routine", (void*)header->install, 1, &resource);
    CallModule("the initialize routine", (void*)header->initialize, 0, NULL);
    CallModule("the generate routine", (void*)header->generate, 1, &phase);
    Service(p, kServiceConnect, "the connection service");
}

static void Frame(Placement* p) {
    CallModule("the update routine", (void*)p->header->update, 0, NULL);
    Service(p, kServicePreDraw, "the pre-draw service");
    CallModule("the draw routine", (void*)p->header->draw, 0, NULL);
}

static void Click(Placement* p) {
    const MouseRecord* record = p->header->mouse;
    for (unsigned i = 0; InImage(record, sizeof *record) && i < 16 && record->type != kEndOfList; ++i, ++record) {
        if (record->type == kChild && (record->mouse_flags & kLeftSingle) && record->routine) {
            ClickPointer point = {100, 100};
            const uint32_t words[2] = {(uint32_t)(uintptr_t)&point, kLeftSingle};
            CallModule("a click routine", (void*)record->routine, 2, words);
            return;
        }
    }
}

/* The panel window resized: the picture made anew at another size. */
static void Resize(Placement* p, int32_t width, int32_t height) {
    Service(p, kServicePreGenerate, "the pre-generate service");
    ReleasePicture(p, "pre-generate (8)");
    MakePicture(p, width, height);
    Service(p, kServicePostGenerate, "the post-generate service");
}

/* The panel closes: pre-kill, the kill routine, the picture released,
 * post-kill, then the disconnection. */
static void Remove(Placement* p) {
    Service(p, kServicePreKill, "the pre-kill service");
    CallModule("the kill routine", (void*)p->header->kill, 0, NULL);
    ReleasePicture(p, "pre-kill (12)");
    Service(p, kServicePostKill, "the post-kill service");
    Service(p, kServiceDisconnect, "the disconnection service");
}

/* Every gauge placed, drawn for a few frames (past the second after which
 * the traffic list is rebuilt), clicked, resized, drawn again and removed. */
static void FlyPanel(GaugeHead** gauges, unsigned count, HMODULE module) {
    Placement placements[kMaxPlacements];
    memset(placements, 0, sizeof placements);
    placed = placements;
    placed_count = count;
    for (unsigned g = 0; g < count; ++g) Place(&placements[g], gauges[g], module);
    for (int frame = 0; frame < 30; ++frame) {
        host_time_s += 0.1;
        reduced_data = frame >= 15;
        for (unsigned g = 0; g < count; ++g) Frame(&placements[g]);
        if (frame == 10)
            for (unsigned g = 0; g < count; ++g) Click(&placements[g]);
        if (frame == 20)
            for (unsigned g = 0; g < count; ++g) Resize(&placements[g], 240, 160);
    }
    for (unsigned g = 0; g < count; ++g)
        Note(kDrawnAfterResize, placements[g].graphics_made > 0,
             "%s drew no Graphics on its new picture's device context", GaugeName(gauges[g]));
    for (unsigned g = count; g-- > 0;) Remove(&placements[g]);
    placed_count = 0;
}

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && strcmp(argv[2], "--result") == 0)) {
        fprintf(stderr, "usage: %s MODULE [--result FILE]\n", argv[0]);
        return 2;
    }
    if (argc == 4 && (result_file = fopen(argv[3], "w")) == NULL) {
        fprintf(stderr, "cannot write %s\n", argv[3]);
        return 2;
    }
    SetUnhandledExceptionFilter(OnCrash);
    registered_object.operations = registered_operations;
    registered_object.label = "registered";
    traffic_object.operations = traffic_operations;
    traffic_object.label = "traffic";
    FillPanels();

    const DWORD start_ms = GetTickCount();
    HMODULE module = LoadLibraryA(argv[1]);
    if (module == NULL) {
        fprintf(stderr, "cannot load %s (error %lu)\n", argv[1], (unsigned long)GetLastError());
        return 2;
    }
    FindImage(module);
    ImportSlot* imports = (ImportSlot*)GetProcAddress(module, "ImportTable");
    LinkageHead* linkage = (LinkageHead*)GetProcAddress(module, "Linkage");
    if (imports == NULL || linkage == NULL) {
        fprintf(stderr, "%s does not export ImportTable and Linkage\n", argv[1]);
        return 2;
    }
    if (!WatchImport(module, "gdiplus.dll", "GdipCreateFromHDC", (void*)WatchedCreateFromHdc,
                     (void**)&real_create_from_hdc))
        Note(kGraphicsBeforeRelease, 0, "no import slot of gdiplus.dll's GdipCreateFromHDC to watch");
    if (!WatchImport(module, "gdiplus.dll", "GdipDeleteGraphics", (void*)WatchedDeleteGraphics,
                     (void**)&real_delete_graphics))
        Note(kGraphicsBeforeRelease, 0, "no import slot of gdiplus.dll's GdipDeleteGraphics to watch");
    for (unsigned i = 0; i < 16 && imports[i].id != 0; ++i) {
        if (imports[i].id == kPanelsId) imports[i].pointer = panels;
    }
    GaugeHead* gauges[kMaxPlacements];
    unsigned count = 0;
    while (count < kMaxPlacements && linkage->gauges[count] != NULL) {
        gauges[count] = linkage->gauges[count];
        ++count;
    }
    for (unsigned g = 0; g < count; ++g) CheckMouseList(gauges[g]);

    CallModule("the module's init routine", (void*)linkage->module_init, 0, NULL);
    /* A panel whose control gauge has not created "Radar Mode" and "Radar
     * Range" yet, without traffic; then the control gauge creates them. */
    FlyPanel(gauges, count, module);
    CreateVariable("radar mode");
    CreateVariable("RADAR RANGE");
    /* The same panel with the simulator's traffic interface. */
    traffic_offered = 1;
    FlyPanel(gauges, count, module);
    CallModule("the module's deinit routine", (void*)linkage->module_deinit, 0, NULL);
    if (alive_lost)
        Note(kGraphicsBeforeRelease, 0, "more than %d Graphics alive at once: %u went unwatched", kMaxAlive,
             alive_lost);

    char ending[80];
    snprintf(ending, sizeof ending, "ran %u gauges in %lu ms", count, (unsigned long)(GetTickCount() - start_ms));
    const int failures = PrintReport(ending);
    FreeLibrary(module);
    return failures ? 1 : 0;
}
