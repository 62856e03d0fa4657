#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "app/command_line.h"
#include "app/exit_code.h"

namespace {

struct CommandLineCase {
    const char* label;
    std::vector<CString> arguments;  // after the program name
    // Expected texts, or nothing when the parser must throw 3.
    std::optional<CommandLineTexts> expected;
};

CommandLineTexts Address(const wchar_t* text) {
    return {text, L""};
}
CommandLineTexts Usb(const wchar_t* text) {
    return {L"", text};
}

TEST(ParseCommandLine, AcceptsAndRejectsAsTheCallerContractSays) {
    const CommandLineCase cases[] = {
        {"no arguments: interactive", {}, CommandLineTexts{}},
        {"separate value", {L"/I", L"192.168.1.20"}, Address(L"192.168.1.20")},
        {"attached value", {L"-i192.168.1.20"}, Address(L"192.168.1.20")},
        {"usb upper case", {L"-U", L"USB001"}, Usb(L"USB001")},
        {"usb attached with slash", {L"/uUSB002"}, Usb(L"USB002")},
        {"next argument taken whatever it holds", {L"-i", L"-u"}, Address(L"-u")},
        {"word before the option is ignored", {L"hello", L"-i", L"10.0.0.1"}, Address(L"10.0.0.1")},
        {"empty first value does not count",
         {L"-i", L"", L"-i", L"10.0.0.2"},
         Address(L"10.0.0.2")},
        {"-ip takes the rest as value", {L"-ip", L"10.0.0.1"}, Address(L"p")},
        {"value kept as it stands", {L"-i", L" 10.0.0.1 "}, Address(L" 10.0.0.1 ")},
        {"lone option at the end", {L"-U"}, std::nullopt},
        {"lone option after a value", {L"-i", L"10.0.0.1", L"-u"}, std::nullopt},
        {"same option twice", {L"-i", L"10.0.0.1", L"-i", L"10.0.0.2"}, std::nullopt},
        {"both options", {L"-i", L"10.0.0.1", L"-u", L"USB001"}, std::nullopt},
        {"a single word", {L"printer"}, std::nullopt},
        {"unknown option and its value skipped", {L"-x", L"10.0.0.1"}, std::nullopt},
        {"only an empty value", {L"-i", L""}, std::nullopt},
        {"a lone dash", {L"-"}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<CString> argv{L"QZ70Firm280.exe"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        if (c.expected) {
            const CommandLineTexts texts = ParseCommandLine(argv);
            EXPECT_EQ(texts.address, c.expected->address);
            EXPECT_EQ(texts.usbPort, c.expected->usbPort);
        } else {
            EXPECT_THROW(
                {
                    try {
                        ParseCommandLine(argv);
                    } catch (TarnelExitCode::EXITCODE code) {
                        EXPECT_EQ(code, TarnelExitCode::EXIT_ILLEGAL_PARAMETER);
                        throw;
                    }
                },
                TarnelExitCode::EXITCODE);
        }
    }
}

TEST(ParseCommandLine, EmptyVectorIsInteractive) {
    const CommandLineTexts texts = ParseCommandLine({});
    EXPECT_TRUE(texts.address.empty());
    EXPECT_TRUE(texts.usbPort.empty());
}

}  // namespace
