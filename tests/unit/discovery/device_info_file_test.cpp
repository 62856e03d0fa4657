#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "discovery/device_info_file.h"
#include "discovery/install_path.h"
#include "fakes/fake_registry.h"
#include "platform/posix/posix_file_system.h"
#include "temp_dir.h"

namespace {

using discovery_test::SystemPath;
using discovery_test::TempDir;
using platform::RegistryRoot;

struct Key {
    RegistryRoot root;
    const wchar_t* key;
};

// Per generation, in the order the program must ask them.
const Key kKeys[2][2] = {
    {{RegistryRoot::LocalMachine, L"SOFTWARE\\Arvane\\Arvane Inkomar Velmo\\Installer"},
     {RegistryRoot::Users, L".DEFAULT\\SOFTWARE\\Arvane\\Arvane Inkomar Velmo\\Installer"}},
    {{RegistryRoot::LocalMachine, L"SOFTWARE\\Arvane\\Inkomar\\1.0\\Installer"},
     {RegistryRoot::Users, L".DEFAULT\\SOFTWARE\\Arvane\\Inkomar\\1.0\\Installer"}},
};

void SetInstallPath(fakes::FakeRegistry& registry, const Key& key, const CString& path) {
    registry.SetString(key.root, key.key, L"InstallPath", path);
}

CString Name(RegistryRoot root, const CString& key) {
    return (root == RegistryRoot::LocalMachine ? L"HKLM\\" : L"HKU\\") + key;
}

CString Name(const Key& key) {
    return Name(key.root, key.key);
}

// The keys asked, checking that each read is of "InstallPath" into 260 characters.
std::vector<CString> KeysRead(const fakes::FakeRegistry& registry) {
    std::vector<CString> keys;
    for (const auto& read : registry.Reads()) {
        EXPECT_EQ(read.name, L"InstallPath");
        EXPECT_EQ(read.capacity, 260u);
        keys.push_back(Name(read.root, read.key));
    }
    return keys;
}

TEST(ReadInstallPath, AsksTheTwoKeysOfItsGenerationInOrder) {
    for (int generation = 0; generation < 2; ++generation) {
        const Key& machine = kKeys[generation][0];
        const Key& users = kKeys[generation][1];
        const Key& otherGeneration = kKeys[1 - generation][0];
        const struct {
            const char* label;
            bool inMachine;
            bool inUsers;
            CString path;
            std::vector<CString> keysRead;
        } cases[] = {
            {"both", true, true, L"C:\\Machine", {Name(machine)}},
            {"users only", false, true, L"C:\\Users", {Name(machine), Name(users)}},
            {"neither", false, false, L"", {Name(machine), Name(users)}},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "generation " << generation << ", " << c.label);
            fakes::FakeRegistry registry;
            SetInstallPath(registry, otherGeneration, L"C:\\OtherGeneration");
            if (c.inMachine) {
                SetInstallPath(registry, machine, L"C:\\Machine");
            }
            if (c.inUsers) {
                SetInstallPath(registry, users, L"C:\\Users");
            }
            DeviceInfoLocation location;
            EXPECT_EQ(ReadInstallPath(registry, generation, location), c.path);
            EXPECT_EQ(KeysRead(registry), c.keysRead);
        }
    }
}

TEST(ReadInstallPath, TakesTheValueUpToItsFirstNul) {
    const struct {
        const char* label;
        CString data;
        CString path;
    } cases[] = {
        {"terminated", CString(L"C:\\A\0", 5), L"C:\\A"},
        {"stored without NUL", L"C:\\A", L"C:\\A"},
        {"text after the NUL", CString(L"C:\\A\0C:\\B", 9), L"C:\\A"},
        {"empty", CString(L"\0", 1), L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        fakes::FakeRegistry registry;
        registry.SetData(kKeys[0][0].root, kKeys[0][0].key, L"InstallPath", c.data);
        DeviceInfoLocation location;
        EXPECT_EQ(ReadInstallPath(registry, 0, location), c.path);
        EXPECT_EQ(registry.Reads().size(), 1u);  // found: the second key is not asked
    }
}

TEST(ReadInstallPath, ReadsUpTo259CharactersAndFallsBackOnLongerValues) {
    const CString longest(259, L'p');
    fakes::FakeRegistry registry;
    SetInstallPath(registry, kKeys[0][0], longest);
    DeviceInfoLocation location;
    EXPECT_EQ(ReadInstallPath(registry, 0, location), longest);

    SetInstallPath(registry, kKeys[1][0], longest + L"p");
    SetInstallPath(registry, kKeys[1][1], L"C:\\Users");
    DeviceInfoLocation second;
    EXPECT_EQ(ReadInstallPath(registry, 1, second), L"C:\\Users");
}

TEST(ReadInstallPath, GivesNothingForOtherGenerations) {
    fakes::FakeRegistry registry;
    SetInstallPath(registry, kKeys[0][0], L"C:\\A");
    SetInstallPath(registry, kKeys[1][0], L"C:\\B");
    for (const int generation : {-1, 2, 100}) {
        DeviceInfoLocation location;
        EXPECT_EQ(ReadInstallPath(registry, generation, location), L"");
    }
    EXPECT_TRUE(registry.Reads().empty());
}

TEST(ReadInstallPath, AsksTheRegistryOncePerLocationFoundOrNot) {
    fakes::FakeRegistry registry;
    DeviceInfoLocation missing;
    EXPECT_EQ(ReadInstallPath(registry, 0, missing), L"");
    SetInstallPath(registry, kKeys[0][0], L"C:\\Late");
    EXPECT_EQ(ReadInstallPath(registry, 0, missing), L"");
    EXPECT_EQ(registry.Reads().size(), 2u);

    DeviceInfoLocation found;
    EXPECT_EQ(ReadInstallPath(registry, 0, found), L"C:\\Late");
    SetInstallPath(registry, kKeys[0][0], L"C:\\Changed");
    EXPECT_EQ(ReadInstallPath(registry, 0, found), L"C:\\Late");
    EXPECT_EQ(registry.Reads().size(), 3u);
}

class FindDeviceInfoFileTest : public testing::Test {
  protected:
    static constexpr const char* kFirstName = "Inkomar/Device/DeviceInfo.xml";
    static constexpr const char* kSecondName = "Inkomar 1.0/Device/DeviceInfo.xml";

    CString Find(int generation) {
        DeviceInfoLocation location;
        return FindDeviceInfoFile(m_registry, m_files, generation, location);
    }
    // The name the program forms: the install path, a backslash, the relative name.
    CString Expected(const char* name) {
        std::string relative(name);
        std::replace(relative.begin(), relative.end(), '/', '\\');
        return SystemPath(m_dir.path()) + L"\\" + SystemPath(relative);
    }

    TempDir m_dir;
    fakes::FakeRegistry m_registry;
    platform::posix::PosixFileSystem m_files;
};

TEST_F(FindDeviceInfoFileTest, TriesTheTwoNamesUnderTheInstallPathInOrder) {
    SetInstallPath(m_registry, kKeys[0][1], SystemPath(m_dir.path()));
    EXPECT_EQ(Find(0), L"");
    m_dir.Write(kSecondName, "<DeviceInfo/>");
    EXPECT_EQ(Find(0), Expected(kSecondName));
    m_dir.Write(kFirstName, "<DeviceInfo/>");
    EXPECT_EQ(Find(0), Expected(kFirstName));
}

TEST_F(FindDeviceInfoFileTest, AcceptsADirectoryOfThatName) {
    SetInstallPath(m_registry, kKeys[1][0], SystemPath(m_dir.path()) + L"\\");
    std::filesystem::create_directories(m_dir.path() / kSecondName);
    EXPECT_EQ(Find(1), Expected(kSecondName));
}

TEST_F(FindDeviceInfoFileTest, EachGenerationUsesItsOwnInstallPath) {
    TempDir other;
    SetInstallPath(m_registry, kKeys[0][0], SystemPath(m_dir.path()));
    SetInstallPath(m_registry, kKeys[1][0], SystemPath(other.path()));
    other.Write(kFirstName, "<DeviceInfo/>");
    // Generation 0 has its install path but no file: the dialog goes on to generation 1.
    EXPECT_EQ(Find(0), L"");
    EXPECT_EQ(Find(1), SystemPath(other.path()) + L"\\Inkomar\\Device\\DeviceInfo.xml");
}

TEST_F(FindDeviceInfoFileTest, WithoutInstallPathLooksInTheCurrentDirectory) {
    m_dir.Write(kSecondName, "<DeviceInfo/>");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.path());
    const CString found = Find(0);
    std::filesystem::current_path(previous);
    EXPECT_EQ(found, L"Inkomar 1.0\\Device\\DeviceInfo.xml");
    EXPECT_EQ(m_registry.Reads().size(), 2u);
}

TEST_F(FindDeviceInfoFileTest, SearchesOncePerLocationFoundOrNot) {
    SetInstallPath(m_registry, kKeys[0][0], SystemPath(m_dir.path()));
    DeviceInfoLocation missing;
    EXPECT_EQ(FindDeviceInfoFile(m_registry, m_files, 0, missing), L"");
    const auto file = m_dir.Write(kFirstName, "<DeviceInfo/>");
    EXPECT_EQ(FindDeviceInfoFile(m_registry, m_files, 0, missing), L"");

    DeviceInfoLocation found;
    EXPECT_EQ(FindDeviceInfoFile(m_registry, m_files, 0, found), Expected(kFirstName));
    std::filesystem::remove(file);
    EXPECT_EQ(FindDeviceInfoFile(m_registry, m_files, 0, found), Expected(kFirstName));
    EXPECT_EQ(m_registry.Reads().size(), 2u);  // one per location
    EXPECT_EQ(found.installPath, SystemPath(m_dir.path()));
}

TEST_F(FindDeviceInfoFileTest, GivesNothingForOtherGenerations) {
    SetInstallPath(m_registry, kKeys[0][0], SystemPath(m_dir.path()));
    m_dir.Write(kFirstName, "<DeviceInfo/>");
    EXPECT_EQ(Find(2), L"");
    EXPECT_EQ(Find(-1), L"");
    EXPECT_TRUE(m_registry.Reads().empty());
}

}  // namespace
