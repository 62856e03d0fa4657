// The controller stand-in loaded as the port loads it, against a real simulator.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "loaded_library.h"
#include "ports/controller_api.h"
#include "sim_process.h"

namespace standin_test {
namespace {

using Clock = std::chrono::steady_clock;

// A simulator on its own address, the library loaded and pointed at it.
struct ControllerFixture {
    explicit ControllerFixture(const std::string& address, std::vector<std::string> options = {})
        : sim(address, std::move(options)), library(STANDIN_CONTROLLER_PATH) {
        ::setenv("TARNEL_STANDIN_ENDPOINT", (address + ":9600").c_str(), 1);
        const auto get = library.Export<ControllerApiFunction>(kControllerApiExport);
        api = get != nullptr ? get() : nullptr;
    }

    std::string ReadIdentity() {
        char buffer[301];
        std::memset(buffer, 'x', sizeof buffer);
        const int length = api->ReadDeviceId(buffer, 300);
        EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
        return buffer;
    }

    sim_test::SimProcess sim;
    LoadedLibrary library;
    IControllerAPI* api = nullptr;
};

TEST(StandinController, ExportsVersionV141AndOneInterfaceObject) {
    LoadedLibrary library(STANDIN_CONTROLLER_PATH);
    ASSERT_TRUE(library.Loaded());
    const auto version = library.Export<GetAPIVersionFunction>(kGetApiVersionExport);
    const auto get = library.Export<ControllerApiFunction>(kControllerApiExport);
    ASSERT_NE(version, nullptr);
    ASSERT_NE(get, nullptr);
    EXPECT_EQ(std::memcmp(version(), "V141", 5), 0);
    ASSERT_NE(get(), nullptr);
    EXPECT_EQ(get(), get());
}

TEST(StandinController, IdentityIsTheSnmpTextWithStatusRecordsCarryingTheSubPowerBit) {
    // The simulator's SNMP agent keeps its eight-digit format; the library port
    // reads records, so the library answers in records whatever SNMP does.
    ControllerFixture f("127.77.20.1", {"--status-format", "-1"});
    ASSERT_NE(f.api, nullptr);
    ASSERT_TRUE(f.api->Open());
    struct Case {
        const char* subPower;
        const char* word;
    } const cases[] = {{"on", "00000000"}, {"off", "80000000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subPower);
        ASSERT_EQ(f.sim.Control(std::string("set sub-power ") + c.subPower), "ok");
        EXPECT_EQ(f.ReadIdentity(),
                  std::string("MDL:QZ-70;VER:2.70;MODE:NORMAL;STATUS:020400000108") + c.word + ";");
    }
}

TEST(StandinController, ShortBufferGetsACutTextTerminatedInsideIt) {
    ControllerFixture f("127.77.20.2");
    ASSERT_TRUE(f.api->Open());
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(f.api->ReadDeviceId(buffer, 10), 9);
    EXPECT_EQ(std::string(buffer), "MDL:QZ-70");
    EXPECT_EQ(std::string(buffer + 10, 6), "xxxxxx");
}

TEST(StandinController, StatusWordsArriveUnchanged) {
    ControllerFixture f("127.77.20.3");
    ASSERT_TRUE(f.api->Open());
    struct Case {
        const char* set;
        std::int32_t word;
    } const cases[] = {
        {"0", 0},
        {"0x7FFFFFFF", 0x7FFFFFFF},
        {"-1", -1},
        {"0x86000000", static_cast<std::int32_t>(0x86000000u)},  // class 6
        {"0x81000000", static_cast<std::int32_t>(0x81000000u)},  // class 1
        {"0x8F000000", static_cast<std::int32_t>(0x8F000000u)},  // class 15
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        ASSERT_EQ(f.sim.Control(std::string("set status-word ") + c.set), "ok");
        EXPECT_EQ(f.api->GetStatus(), c.word);
    }
}

TEST(StandinController, ModeRequestPutsThePrinterIntoTheLoaderMode) {
    ControllerFixture f("127.77.20.4");
    ASSERT_TRUE(f.api->Open());
    EXPECT_TRUE(f.api->RequestMode(10000, 1));
    EXPECT_EQ(f.sim.Control("get mode"), "ok IPL");
    EXPECT_NE(f.ReadIdentity().find(";MODE:IPL;"), std::string::npos);
    EXPECT_NE(f.sim.Control("get state").find("boots=1"), std::string::npos);
}

TEST(StandinController, RefusedOrUnansweredModeRequestFailsWithinItsTimeLimit) {
    ControllerFixture f("127.77.20.5");
    ASSERT_TRUE(f.api->Open());
    ASSERT_EQ(f.sim.Control("fault library-refuse-mode on"), "ok");
    EXPECT_FALSE(f.api->RequestMode(10000, 1));
    ASSERT_EQ(f.sim.Control("fault library-refuse-mode off"), "ok");

    ASSERT_EQ(f.sim.Control("fault library-silent on"), "ok");
    const auto start = Clock::now();
    EXPECT_FALSE(f.api->RequestMode(300, 1));
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(250));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
    EXPECT_EQ(f.sim.Control("get mode"), "ok NORMAL");
    // The unanswered request dropped the connection; a new Open makes a new one.
    EXPECT_TRUE(f.sim.WaitForEvent("library connection ended")) << f.sim.EventLog();
    ASSERT_EQ(f.sim.Control("fault library-silent off"), "ok");
    EXPECT_TRUE(f.api->Open());
    EXPECT_EQ(f.api->GetStatus(), 0);
}

TEST(StandinController, ClearConditionIsLoggedByTheSimulator) {
    ControllerFixture f("127.77.20.6");
    ASSERT_TRUE(f.api->Open());
    f.api->ClearCondition();
    EXPECT_TRUE(f.sim.WaitForEvent("library: condition cleared")) << f.sim.EventLog();
    EXPECT_NE(f.sim.Control("get state").find("clears=1"), std::string::npos);
}

TEST(StandinController, WithoutAnOpenConnectionNothingIsWritten) {
    struct Case {
        const char* label;
        const char* endpoint;  // null: the variable is not set
        const char* fault;
    } const cases[] = {
        {"no endpoint", nullptr, nullptr},
        {"malformed endpoint", "127.77.20.7", nullptr},
        {"nothing listens", "127.77.20.7:9601", nullptr},
        // Last: the refusal leaves the connection up, and the others need none.
        {"open refused", "127.77.20.7:9600", "library-refuse-open"},
    };
    ControllerFixture f("127.77.20.7");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.endpoint != nullptr) {
            ::setenv("TARNEL_STANDIN_ENDPOINT", c.endpoint, 1);
        } else {
            ::unsetenv("TARNEL_STANDIN_ENDPOINT");
        }
        if (c.fault != nullptr) {
            ASSERT_EQ(f.sim.Control(std::string("fault ") + c.fault + " on"), "ok");
        }
        EXPECT_FALSE(f.api->Open());
        char buffer[8] = "unset";
        EXPECT_LT(f.api->ReadDeviceId(buffer, sizeof buffer), 0);
        EXPECT_STREQ(buffer, "unset");
        EXPECT_EQ(f.api->GetStatus(), -1);
        EXPECT_FALSE(f.api->RequestMode(10000, 1));
        if (c.fault != nullptr) {
            ASSERT_EQ(f.sim.Control(std::string("fault ") + c.fault + " off"), "ok");
        }
    }
    EXPECT_EQ(f.sim.Control("get mode"), "ok NORMAL");
}

TEST(StandinController, WrittenNothingWhenThePrinterGivesNoIdentity) {
    ControllerFixture f("127.77.20.8", {"--fault", "library-no-identity"});
    ASSERT_TRUE(f.api->Open());
    char buffer[8] = "unset";
    EXPECT_LT(f.api->ReadDeviceId(buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "unset");
}

TEST(StandinController, UnloadingClosesTheConnection) {
    ControllerFixture f("127.77.20.9");
    ASSERT_TRUE(f.api->Open());
    EXPECT_NE(f.sim.Control("get state").find("library-clients=1"), std::string::npos);
    f.library.Unload();
    EXPECT_TRUE(f.sim.WaitForEvent("library connection ended")) << f.sim.EventLog();
    EXPECT_NE(f.sim.Control("get state").find("library-clients=0"), std::string::npos);
}

}  // namespace
}  // namespace standin_test
