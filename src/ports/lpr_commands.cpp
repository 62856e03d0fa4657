#include "ports/lpr_commands.h"

#include <charconv>

std::string LprDataFileSubcommand(std::uint32_t count) {
    char digits[16];  // a 32-bit count has at most 10
    char* end = std::to_chars(digits, digits + sizeof(digits), count).ptr;
    std::string command(1, '\x03');
    command.append(digits, static_cast<std::size_t>(end - digits));
    command.append(" x\n");
    return command;
}
