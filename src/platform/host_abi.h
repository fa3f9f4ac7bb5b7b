// Host formats and calling conventions of the simulator's panel system,
// as the radar module sees them. Declared once here; every other file uses
// these names and never a byte offset of its own.
//
// 32-bit Windows is the product: there every byte position is checked below.
// 64-bit builds use the same declarations with pointers, routines and device
// contexts widened to pointer size and natural alignment; that layout is ours
// (it serves running the Windows code path under Wine), not a simulator's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

// HOST_CALL: the routines of the panel services table and the routines the
// module hands to the host. HOST_METHOD: the operations of the host's
// interface objects, which the host's compiler makes thiscall (the object
// in ECX, the arguments on the stack, removed by the callee); said here
// rather than left to the compiler's default for member functions.
#if defined(_WIN32) && !defined(_WIN64)
#define RADAR_HOST_32 1
#define HOST_CALL __stdcall
#define HOST_CDECL __cdecl
#define HOST_METHOD __thiscall
#else
#define RADAR_HOST_32 0
#define HOST_CALL
#define HOST_CDECL
#define HOST_METHOD
#endif

// The simulator's formats and conventions, as its panel system lays them
// out and calls them.
namespace sim {

using DeviceContext = void*;   // HDC: pointer-sized handle
using ResourceHandle = void*;  // HINSTANCE of the module's resources

struct GaugeHeader;
struct Element;

// ---------------------------------------------------------------------------
// Module variables
enum ModuleVariableToken : std::uint32_t {
    kTokenOwnLatitude = 71,   // host distance unit, see kLatitudeUnitToDegrees
    kTokenOwnLongitude = 72,  // host angle unit, see kLongitudeUnitToDegrees
    kTokenOwnAltitude = 73,   // metres
    kTokenOwnHeading = 86,    // degrees
    kTokenHostTime = 604,     // seconds
};

#pragma pack(push, 4)
struct ModuleVariable {
    std::uint32_t token;
    void* pointer;       // left null
    std::uint32_t type;  // left 0
    double value;
    double previous_value;
};
#pragma pack(pop)

// ---------------------------------------------------------------------------
// Routines the module hands to the host
using ModuleRoutine = void(HOST_CALL*)();
using GaugeCallback = void(HOST_CALL*)(GaugeHeader* header, std::int32_t service, std::uintptr_t extra);
using QueryRoutine = void(HOST_CALL*)();
using InstallRoutine = void(HOST_CALL*)(ResourceHandle resource);
using InitializeRoutine = void(HOST_CALL*)();
using UpdateRoutine = void(HOST_CALL*)();
using GenerateRoutine = void(HOST_CALL*)(std::uint32_t phase);
using DrawRoutine = void(HOST_CALL*)();
using KillRoutine = void(HOST_CALL*)();

struct ClickPoint {
    std::int32_t x;
    std::int32_t y;
};
using ClickRoutine = std::int32_t(HOST_CALL*)(ClickPoint* relative_point, std::uint32_t mouse_flags);

// The services a gauge callback is sent. Around each of its own releases of
// a placement's image and device context the host sends the one before and
// the one after: pre-generate and post-generate when it makes the image
// anew (a window resized), pre-kill and post-kill when the gauge goes.
enum GaugeService : std::int32_t {
    kServicePreGenerate = 8,
    kServicePostGenerate = 9,
    kServicePreDraw = 10,
    kServicePreKill = 12,
    kServicePostKill = 13,
    kServiceConnect = 14,
    kServiceDisconnect = 15,
};

// ---------------------------------------------------------------------------
// Host panel services, reached by position in the table.
using ElementListFn = void(HOST_CALL*)(Element* element);
using ElementListInstallFn = void(HOST_CALL*)(Element* element, ResourceHandle resource);
using ElementListGenerateFn = void(HOST_CALL*)(Element* element, std::uint32_t phase);
using InitializeModuleVariableFn = void(HOST_CALL*)(ModuleVariable* variable);
using LookupModuleVariableFn = void(HOST_CALL*)(ModuleVariable* variable);
using NamedVariableLookupFn = std::int32_t(HOST_CALL*)(const char* name);
using GetNamedVariableValueFn = double(HOST_CALL*)(std::int32_t id);
using SetNamedVariableValueFn = void(HOST_CALL*)(std::int32_t id, double value);
using GetRegisteredInterfaceFn = void*(HOST_CALL*)(const char* name);

// The host's named-variable ids count from 0; this is its answer for a name
// that no gauge has created.
constexpr std::int32_t kNoNamedVariable = -1;

enum HostPanelsEntry : std::size_t {
    kElementListQuery = 24,
    kElementListInstall = 25,
    kElementListInitialize = 26,
    kElementListUpdate = 27,
    kElementListGenerate = 28,
    kElementListPlot = 29,
    kElementListKill = 31,
    kInitializeModuleVariable = 38,  // once per record, before its first look-up
    kLookupModuleVariable = 40,
    kCheckNamedVariable = 51,
    kRegisterNamedVariable = 52,
    kGetNamedVariableValue = 53,
    kSetNamedVariableValue = 55,
    kGetRegisteredInterface = 77,
    kHostPanelsEntryCount = 78,  // the entries up to the last one used
};

struct HostPanels {
    void* entry[kHostPanelsEntryCount];
};

// Typed access to one entry; null when the host left it empty.
template <typename Fn>
inline Fn HostEntry(const HostPanels* table, HostPanelsEntry position) {
    return table ? reinterpret_cast<Fn>(table->entry[position]) : nullptr;
}

// ---------------------------------------------------------------------------
// Exported tables
constexpr std::uint32_t kImportTablePanelsId = 0x0F;

struct ImportEntry {
    std::uint32_t id;
    void* pointer;
};

struct ImportTableFormat {
    ImportEntry panels;      // id 0x0F, the host writes its HostPanels* here
    ImportEntry terminator;  // id 0
};

constexpr std::uint32_t kLinkageModuleId = 0x13;
constexpr std::uint32_t kLinkageModuleVersion = 0x900;
constexpr std::size_t kLinkageGaugeSlots = 5;  // four gauges, then null

struct LinkageFormat {
    std::uint32_t module_id;
    ModuleRoutine module_init;
    ModuleRoutine module_deinit;
    std::uint32_t flags;
    std::uint32_t priority;
    std::uint32_t version;
    GaugeHeader* gauges[kLinkageGaugeSlots];
};

// ---------------------------------------------------------------------------
// Gauge header, elements, images, mouse rectangles.
constexpr std::uint32_t kGaugeHeaderVersion = 800;
constexpr std::uint32_t kGaugeDefaultWidthMm = 100;
constexpr std::size_t kGaugeHeaderReserveBytes = 512;  // owned by the host
constexpr std::size_t kElementReserveBytes = 256;      // owned by the host

struct MouseRect;

struct GaugeHeader {
    std::uint32_t version;                 // 0
    const char* name;                      // 4
    Element** elements;                    // 8: null-terminated list
    QueryRoutine query;                    // 12
    InstallRoutine install;                // 16
    InitializeRoutine initialize;          // 20
    UpdateRoutine update;                  // 24
    GenerateRoutine generate;              // 28
    DrawRoutine draw;                      // 32
    KillRoutine kill;                      // 36
    std::uint32_t reserved_40;             // 40
    std::uint32_t default_width_mm;        // 44
    std::uint32_t reserved_48[8];          // 48 .. 76
    MouseRect* mouse_rects;                // 80
    GaugeCallback callback;                // 84
    unsigned char reserve[kGaugeHeaderReserveBytes];  // host-owned, zeroed
};

struct ImageRecord {
    std::uint32_t flags;   // 0
    std::int32_t width;    // 4
    std::int32_t height;   // 8
};

constexpr std::uint32_t kElementStaticImage = 0;
constexpr std::uint32_t kBackgroundResource = 0x1000;
constexpr std::uint32_t kImageFlagsBackground = 0x1;
constexpr std::uint32_t kImageFlagsDrawing = 0x26;
constexpr std::uint32_t kImageFlagCurrentMark = 0x80000000u;  // bit 31

struct Element {
    std::uint32_t type;                    // 0
    std::uint32_t resource;                // 4
    std::int32_t x;                        // 8
    std::int32_t y;                        // 12
    std::uint32_t reserved_16[4];          // 16 .. 28
    GaugeHeader* owner;                    // 32
    std::uint32_t reserved_36;             // 36
    Element** next;                        // 40: null-terminated list
    std::uint32_t reserved_44;             // 44
    std::uint32_t image_flags;             // 48
    std::uint32_t reserved_52[2];          // 52, 56
    ImageRecord* image;                    // 60
    std::uint32_t reserved_64[4];          // 64 .. 76
    DeviceContext device_context;          // 80
    unsigned char reserve[kElementReserveBytes];  // host-owned, zeroed
};

// A list holds parents, each with its children and closed by an end-parent
// record; the host walks it to the end-of-list record.
enum MouseRectType : std::uint32_t {
    kMouseRectEndOfList = 0,
    kMouseRectParent = 1,
    kMouseRectChild = 2,
    kMouseRectEndParent = 3,
};
constexpr std::int32_t kCursorNone = -1;
constexpr std::int32_t kCursorHand = 5;
constexpr std::uint32_t kMouseLeftSingle = 0x20000000u;

struct MouseRect {
    std::uint32_t type;          // 0
    std::int32_t x;              // 4
    std::int32_t y;              // 8
    std::int32_t width;          // 12
    std::int32_t height;         // 16
    std::int32_t cursor;         // 20
    std::uint32_t help_id;       // 24
    std::uint32_t mouse_flags;   // 28
    std::uint32_t event_id;      // 32
    ClickRoutine routine;        // 36
    void* routine_data;          // 40
};

// ---------------------------------------------------------------------------
// Registered interfaces. COM-style objects: virtual operations at fixed
// positions of their table, HOST_METHOD (thiscall on 32-bit Windows). The
// registered object has eight operations (0 AddRef, 1 Release,
// 2 QueryInterface, 3 GetVersion, four more); the traffic interface derives
// from it, so its own start at 8. The placeholders only hold positions: the
// module never calls them, and an implementation (the host's, or a
// stand-in) need not fill them.
class RegisteredInterface {
public:
    virtual void HOST_METHOD Slot0() {}
    virtual void HOST_METHOD Slot1() {}
    virtual void* HOST_METHOD QueryInterface(const char* name) = 0;  // 2
protected:
    ~RegisteredInterface() = default;
};

using TrafficId = std::uint32_t;
using TrafficHandle = std::uint32_t;

class TrafficInfo {
public:
    virtual void HOST_METHOD Slot0() {}
    virtual void HOST_METHOD Slot1() {}
    virtual void HOST_METHOD Slot2() {}
    virtual void HOST_METHOD Slot3() {}
    virtual void HOST_METHOD Slot4() {}
    virtual void HOST_METHOD Slot5() {}
    virtual void HOST_METHOD Slot6() {}
    virtual void HOST_METHOD Slot7() {}
    virtual TrafficHandle HOST_METHOD GetVariableHandle(const char* name) = 0;  // 8
    virtual TrafficHandle HOST_METHOD GetUnitsHandle(const char* name) = 0;     // 9
    virtual std::uint32_t HOST_METHOD GetTrafficInRadius(double radius_m, std::uint32_t max_count,
                                                       TrafficId* ids) = 0;  // 10
    virtual void HOST_METHOD Slot11() {}
    virtual std::int32_t HOST_METHOD GetNumericValue(TrafficId id, TrafficHandle variable, TrafficHandle unit,
                                                   double* result, std::uint32_t index) = 0;  // 12
    virtual std::int32_t HOST_METHOD GetStringValue(TrafficId id, TrafficHandle variable, char* buffer,
                                                  std::uint32_t buffer_size, std::uint32_t index) = 0;  // 13
    virtual void HOST_METHOD Slot14() {}
    virtual std::uint32_t HOST_METHOD ReducedDataFlag() = 0;           // 15
    virtual const char* HOST_METHOD GetTrafficName(TrafficId id) = 0;  // 16
protected:
    ~TrafficInfo() = default;
};

constexpr const char* kTrafficInterfaceName = "ITrafficInfo";

// ---------------------------------------------------------------------------
// Network-player module and its player table (read in place).
constexpr const char* kNetPlayerModuleName = "IBNetPlayer.gau";
constexpr const char* kNetPlayerEntryName = "get_main_data_pointer";
constexpr std::int32_t kNetPlayerStatusOk = 1;
using NetPlayerEntry = std::int32_t(HOST_CDECL*)(void** table);

constexpr std::size_t kNetPlayerSlots = 256;
constexpr std::size_t kNetPlayerSlotBytes = 7088;
constexpr std::size_t kNetPlayerTableBytes = kNetPlayerSlots * kNetPlayerSlotBytes;

// Byte positions inside one slot (little-endian, not necessarily aligned
// for the reader: read them with memcpy).
namespace netslot {
constexpr std::size_t kName = 0;        // 8-bit string, NUL-terminated within the slot
constexpr std::size_t kNameBytes = 128;
constexpr std::size_t kActive = 128;    // 32-bit, non-zero = active
constexpr std::size_t kLatitude = 136;  // double, host distance unit
constexpr std::size_t kLongitude = 144; // double, host angle unit
constexpr std::size_t kAltitude = 152;  // double, metres
constexpr std::size_t kVelocityA = 160; // float
constexpr std::size_t kVelocityB = 164; // float
constexpr std::size_t kVerticalSpeed = 168;  // float, per second
constexpr std::size_t kHeading = 180;   // float, degrees
}  // namespace netslot

// ---------------------------------------------------------------------------
// Unit conversions of host values.
constexpr double kLatitudeUnitFactor = 2.4995625765491038e-8;   // applied after × 360
constexpr double kLongitudeUnitFactor = 3.552713678800501e-15;  // 2^-48, applied after × 360

#if RADAR_HOST_32
static_assert(sizeof(void*) == 4, "32-bit host formats");
static_assert(sizeof(ModuleVariable) == 28, "module variable record");
static_assert(offsetof(ModuleVariable, value) == 12, "module variable value");
static_assert(offsetof(ModuleVariable, previous_value) == 20, "module variable previous value");
static_assert(sizeof(ImportEntry) == 8, "import entry");
static_assert(offsetof(LinkageFormat, version) == 20, "linkage version");
static_assert(offsetof(LinkageFormat, gauges) == 24, "linkage gauge list");
static_assert(offsetof(GaugeHeader, name) == 4, "header name");
static_assert(offsetof(GaugeHeader, elements) == 8, "header element list");
static_assert(offsetof(GaugeHeader, query) == 12, "header query routine");
static_assert(offsetof(GaugeHeader, kill) == 36, "header kill routine");
static_assert(offsetof(GaugeHeader, default_width_mm) == 44, "header default width");
static_assert(offsetof(GaugeHeader, mouse_rects) == 80, "header mouse rectangles");
static_assert(offsetof(GaugeHeader, callback) == 84, "header callback");
static_assert(offsetof(GaugeHeader, reserve) == 88, "header reserve");
static_assert(offsetof(ImageRecord, width) == 4, "image width");
static_assert(offsetof(ImageRecord, height) == 8, "image height");
static_assert(offsetof(Element, resource) == 4, "element resource");
static_assert(offsetof(Element, x) == 8, "element x");
static_assert(offsetof(Element, y) == 12, "element y");
static_assert(offsetof(Element, owner) == 32, "element owner");
static_assert(offsetof(Element, next) == 40, "element next list");
static_assert(offsetof(Element, image_flags) == 48, "element image flags");
static_assert(offsetof(Element, image) == 60, "element image record");
static_assert(offsetof(Element, device_context) == 80, "element device context");
static_assert(sizeof(MouseRect) == 44, "mouse rectangle");
static_assert(offsetof(MouseRect, routine) == 36, "mouse routine");
static_assert(sizeof(ClickPoint) == 8, "click point");

// The interface operations are thiscall, not the stdcall of the routines
// (a stdcall operation would have another type).
static_assert(std::is_same<decltype(&RegisteredInterface::QueryInterface),
                           void* (__thiscall RegisteredInterface::*)(const char*)>::value,
              "QueryInterface is thiscall");
static_assert(!std::is_same<decltype(&RegisteredInterface::QueryInterface),
                            void* (__stdcall RegisteredInterface::*)(const char*)>::value,
              "QueryInterface is not stdcall");
static_assert(std::is_same<decltype(&TrafficInfo::GetVariableHandle),
                           TrafficHandle (__thiscall TrafficInfo::*)(const char*)>::value,
              "GetVariableHandle is thiscall");
static_assert(std::is_same<decltype(&TrafficInfo::GetUnitsHandle),
                           TrafficHandle (__thiscall TrafficInfo::*)(const char*)>::value,
              "GetUnitsHandle is thiscall");
static_assert(std::is_same<decltype(&TrafficInfo::GetTrafficInRadius),
                           std::uint32_t (__thiscall TrafficInfo::*)(double, std::uint32_t, TrafficId*)>::value,
              "GetTrafficInRadius is thiscall");
static_assert(std::is_same<decltype(&TrafficInfo::GetNumericValue),
                           std::int32_t (__thiscall TrafficInfo::*)(TrafficId, TrafficHandle, TrafficHandle, double*,
                                                                    std::uint32_t)>::value,
              "GetNumericValue is thiscall");
static_assert(std::is_same<decltype(&TrafficInfo::GetStringValue),
                           std::int32_t (__thiscall TrafficInfo::*)(TrafficId, TrafficHandle, char*, std::uint32_t,
                                                                    std::uint32_t)>::value,
              "GetStringValue is thiscall");
static_assert(std::is_same<decltype(&TrafficInfo::ReducedDataFlag), std::uint32_t (__thiscall TrafficInfo::*)()>::value,
              "ReducedDataFlag is thiscall");
static_assert(std::is_same<decltype(&TrafficInfo::GetTrafficName),
                           const char* (__thiscall TrafficInfo::*)(TrafficId)>::value,
              "GetTrafficName is thiscall");
#endif

}  // namespace sim
