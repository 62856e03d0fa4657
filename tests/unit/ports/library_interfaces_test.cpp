// The maker libraries are built apart from the program: the program and a library
// agree only on the positions of the operations in the table of virtual functions.
// A pointer to a virtual member holds 1 + the byte offset of its slot (Itanium C++
// ABI, used by g++, clang and mingw), which gives each operation's position.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "ports/controller_api.h"
#include "ports/remote_connect_api.h"

namespace {

template <typename Member>
std::ptrdiff_t SlotOf(Member member) {
    static_assert(sizeof(Member) == 2 * sizeof(std::ptrdiff_t));
    std::ptrdiff_t words[2];
    std::memcpy(words, &member, sizeof words);
    EXPECT_EQ(words[0] % static_cast<std::ptrdiff_t>(sizeof(void*)), 1) << "not virtual";
    return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(LibraryInterfaces, ControllerOperationsSitAtTheirPositions) {
    EXPECT_EQ(SlotOf(&IControllerAPI::Open), 0);
    EXPECT_EQ(SlotOf(&IControllerAPI::ReadDeviceId), 9);
    EXPECT_EQ(SlotOf(&IControllerAPI::GetStatus), 10);
    EXPECT_EQ(SlotOf(&IControllerAPI::RequestMode), 24);
    EXPECT_EQ(SlotOf(&IControllerAPI::ClearCondition), 25);
}

TEST(LibraryInterfaces, RemoteConnectOperationsSitAtTheirPositions) {
    EXPECT_EQ(SlotOf(&IRemoteConnectAPI::GetVersion), 0);
    EXPECT_EQ(SlotOf(&IRemoteConnectAPI::Connect), 1);
    EXPECT_EQ(SlotOf(&IServiceToolAPI::GetVersion), 0);
    EXPECT_EQ(SlotOf(&IServiceToolAPI::GetStatus), 1);
    EXPECT_EQ(SlotOf(&IServiceToolAPI::ReadDeviceId), 3);
    EXPECT_EQ(SlotOf(&IServiceToolAPI::EnterUpdateMode), 4);
    EXPECT_EQ(SlotOf(&IServiceToolAPI::ClearCondition), 5);
}

}  // namespace
