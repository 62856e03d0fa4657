// The LPR byte sequences the LPR port sends: the receive-job command for queue
// "%lp1 x" and the receive-data-file subcommand of a file named "x".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Sent exactly as written: the '%' is an ordinary character of the queue name.
inline constexpr std::string_view kLprReceiveJob = "\x02%lp1 x\n";
// Ends every data file.
inline constexpr char kLprEndOfFile = '\0';

// 0x03, the count in decimal without leading zeros, " x", line feed.
std::string LprDataFileSubcommand(std::uint32_t count);
