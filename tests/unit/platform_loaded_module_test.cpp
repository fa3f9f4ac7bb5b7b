// Looking up a module the host has loaded: the look-up answers again from
// its last search while the loader has loaded and unloaded nothing, so these
// cases load and unload a module between look-ups and check that no answer
// goes stale.
#include <gtest/gtest.h>

#if defined(FAKE_NETPLAYER_PATH) && !defined(_WIN32)
#include <dlfcn.h>

#include <string>

#include "platform/host_abi.h"
#include "platform/loaded_module.h"

namespace {

// What the loader itself says: the module's handle while it is loaded.
void* LoaderAnswer() {
    void* handle = dlopen(FAKE_NETPLAYER_PATH, RTLD_NOLOAD | RTLD_NOW);
    if (handle != nullptr) dlclose(handle);
    return handle;
}

TEST(LoadedModule, FollowsModulesLoadedAndUnloadedBetweenLookUps) {
    platform::ModuleSearchMemo memo;
    const char* name = sim::kNetPlayerModuleName;
    EXPECT_EQ(platform::FindLoadedModule(memo, name), LoaderAnswer());
    EXPECT_EQ(platform::FindLoadedModule(memo, name), LoaderAnswer());  // nothing changed: the same answer

    void* module = dlopen(FAKE_NETPLAYER_PATH, RTLD_NOW);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(platform::FindLoadedModule(memo, name), module);
    EXPECT_EQ(platform::FindLoadedModule(memo, name), module);

    // Another name asked in between is searched for, not given the last answer.
    EXPECT_EQ(platform::FindLoadedModule(memo, "NoSuchModule.gau"), nullptr);
    EXPECT_EQ(platform::FindLoadedModule(memo, name), module);

    dlclose(module);
    EXPECT_EQ(platform::FindLoadedModule(memo, name), LoaderAnswer());
    EXPECT_EQ(platform::FindModuleExport(platform::FindLoadedModule(memo, name), sim::kNetPlayerEntryName) != nullptr,
              LoaderAnswer() != nullptr);
}

TEST(LoadedModule, NamesThatCannotBeModulesFindNothing) {
    platform::ModuleSearchMemo memo;
    EXPECT_EQ(platform::FindLoadedModule(memo, nullptr), nullptr);
    EXPECT_EQ(platform::FindLoadedModule(memo, ""), nullptr);
    const std::string long_name(1000, 'x');
    EXPECT_EQ(platform::FindLoadedModule(memo, long_name.c_str()), nullptr);
    EXPECT_EQ(platform::FindLoadedModule(memo, long_name.c_str()), nullptr);
}

}  // namespace
#endif
