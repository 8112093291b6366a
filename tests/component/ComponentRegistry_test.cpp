#include "component/ComponentIdentity.h"
#include "component/ComponentLoader.h"
#include "component/ComponentRegistry.h"
#include "host/Error.h"
#include "support/FakeHost.h"
#include "support/FreshThread.h"
#include "support/TempDir.h"
#include "toolkit/headless/HeadlessButton.h"
#include "toolkit/headless/HeadlessWindow.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace vorq {
namespace {

using testing::TempDir;

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_CONFIG_HOME", config.path().c_str(), 1); }
    void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

    ComponentRegistry registry() const {
        return ComponentRegistry(ComponentRegistry::defaultFile());
    }
    std::string errorOf(auto action) const {
        try {
            action();
        } catch (const Error& e) {
            return e.description();
        }
        return "no error";
    }

    TempDir config;
};

TEST_F(RegistryTest, RoundTripThroughTheRealPlugin) {
    const std::string other = "Other.Component";
    registry().add({other, "{1}", "{2}", "{3}", "/opt/other.so"});
    {
        PluginLibrary plugin(VORQ_PLUGIN_PATH);
        plugin.registerServer();
        plugin.registerServer();
    }
    const auto entries = registry().entries();
    ASSERT_EQ(entries.size(), 2u) << "registering twice leaves one entry";
    const RegistryEntry& entry = registry().find(kProgId);
    EXPECT_EQ(entry.classId, kClassId);
    EXPECT_EQ(entry.libraryId, kLibraryId);
    EXPECT_EQ(entry.interfaceId, kInterfaceId);
    EXPECT_EQ(entry.library, std::filesystem::canonical(VORQ_PLUGIN_PATH).string());
    EXPECT_EQ(registry().file(), config / "vorq/components.xml");

    testing::onFreshThread([&] {
        testing::FakeHost host;
        host.platform.toolkit.setUser(
            [](headless::HeadlessWindow& window) { window.button("cmdCancel").click(); });
        auto osk = host.osk();
        auto vorqWS = host.vorq();
        std::string param;
        ComponentInstance component(registry(), kProgId);
        EXPECT_FALSE(component.library().canUnloadNow()) << "an object is alive";
        component.Run(osk, vorqWS, param);
        EXPECT_EQ(host.vorqWS->returnCode, -3);

        host.vorqWS->projectDB = std::make_shared<testing::NotADatabase>();
        try {
            component.Run(osk, vorqWS, param);
            ADD_FAILURE() << "Run should fail";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), 438) << "the error crosses the plug-in boundary whole";
        }
    });

    PluginLibrary plugin(VORQ_PLUGIN_PATH);
    EXPECT_TRUE(plugin.canUnloadNow());
    plugin.unregisterServer();
    const auto left = registry().entries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].progId, other);
    EXPECT_EQ(errorOf([&] { plugin.unregisterServer(); }),
              "Unregistration failed: VorqImportCopybook.VorqImpCpyEng is not registered in " +
                  registry().file().string());
}

TEST_F(RegistryTest, MissingOrCorruptFileIsAClearError) {
    const std::string file = registry().file().string();
    EXPECT_EQ(errorOf([&] { registry().find(kProgId); }),
              "The component registry " + file +
                  " does not exist; register the component with `vorq register`");

    std::filesystem::create_directories(config / "vorq");
    std::ofstream(file) << "<components><component progid='x'";
    EXPECT_EQ(errorOf([&] { registry().entries(); }),
              "The component registry " + file +
                  " is corrupt: Error parsing start element tag at byte 32");
    EXPECT_EQ(errorOf([&] {
                  registry().add({"a", "b", "c", "d", "e"});
              }),
              "The component registry " + file +
                  " is corrupt: Error parsing start element tag at byte 32");

    std::ofstream(file) << "<components><component progid='x'/></components>";
    EXPECT_EQ(errorOf([&] { registry().find("x"); }),
              "The component registry " + file +
                  " is corrupt: an entry lacks one of progid, clsid, libid, iid, library");

    std::ofstream(file) << "<!DOCTYPE components [<!ENTITY e 'x'>]><components/>";
    EXPECT_EQ(errorOf([&] { registry().find("x"); }),
              "The component registry " + file + " is corrupt: it has a DOCTYPE declaration");

    std::ofstream(file) << "<components/>";
    EXPECT_EQ(errorOf([&] { ComponentInstance(registry(), kProgId); }),
              std::string("The class ") + kProgId + " is not registered in " + file +
                  "; register it with `vorq register`");
}

TEST_F(RegistryTest, AFileThatIsNoPluginIsRefusedByName) {
    std::ofstream(config / "fake.so") << "not a library";
    EXPECT_NE(errorOf([&] {
                  PluginLibrary((config / "fake.so").string());
              }).find("Cannot load the component library " + (config / "fake.so").string()),
              std::string::npos);
}

// A shared library that is no component (here the C library) is refused by name, and
// closing it again must not throw from a destructor.
TEST_F(RegistryTest, ALibraryThatIsNoComponentIsRefusedByName) {
    EXPECT_EQ(errorOf([&] { PluginLibrary("libc.so.6").registerServer(); }),
              "The library libc.so.6 is not a component library: it lacks DllRegisterServer");
}

} // namespace
} // namespace vorq
