// What the maker-library port tests share: the ports' services over the Windows-like
// library host, a spooler in memory, the catalogue in English, and the test
// libraries' bytes as resource "DLL" 146.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/fake_resources.h"
#include "fakes/fake_services.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_string_table.h"
#include "fakes/library_host.h"
#include "ports/dll_port_services.h"

inline std::vector<unsigned char> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class LibraryPortTest : public ::testing::Test {
  protected:
    // The library the next port extracts.
    void Embed(const std::string& libraryFile) {
        const std::vector<unsigned char> bytes = FileBytes(libraryFile);
        ASSERT_FALSE(bytes.empty()) << libraryFile;
        resources.Add(146, L"DLL", bytes);
    }

    std::vector<CString> ShownTexts() const {
        std::vector<CString> texts;
        for (const auto& box : boxes.shown) {
            texts.push_back(box.text);
        }
        return texts;
    }

    fakes::LibraryHost host;
    fakes::FakeSpooler spooler;
    fakes::FakeResources resources;
    fakes::FakeStringTable strings;
    fakes::FakeMessageBoxes boxes;
    DllPortServices services{host, host, spooler, resources, strings, boxes};
};
