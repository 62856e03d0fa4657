// The printer's identity and status reply: KEY:VALUE pairs separated by ";", such
// as MDL:QZ-70;VER:2.70;STATUS:80000000; and the readings the updater bases its
// decisions on.
#pragma once

#include <map>

#include "platform/tarnel_types.h"

// The class library's string map: exact, case-sensitive keys.
using CMapStringToString = std::map<CString, CString>;

// Status formats: how the status word text is taken from the "STATUS" value.
inline constexpr int kStatusFormatNone = -2;          // no port yet: every check passes
inline constexpr int kStatusFormatLeadingEight = -1;  // the value's first 8 characters
inline constexpr int kStatusFormatRecords = 0;        // type-length-value records

// One reply, for one decision.
struct DeviceIdInfo {
    CMapStringToString values;
    CString statusText;  // empty until CheckStatus takes it from "STATUS"
};

// Splits `text` into `values`, emptied first. Nothing is trimmed; the key ends at
// the first colon at or after the segment's start, even past a semicolon; a segment
// with no colon after it is stored under the empty key; later pairs replace earlier
// ones. Nonzero when the map holds a pair.
int ParseDeviceId(CMapStringToString& values, const wchar_t* text);

// The status word text of a "STATUS" value into `out`, emptied first: format -1 the
// first 8 characters (none when shorter), format 0 the value of the first record of
// type 1, any other format nothing. A record whose length reads negative ends the
// search with no text. Nonzero when `out` is not empty.
int ExtractStatusText(int statusFormat, CString& out, const CString& status);

// 1 for format -2 and in the loader mode (statusText untouched); otherwise whether
// "STATUS" is present and yields a status word text into info.statusText.
int CheckStatus(DeviceIdInfo& info, int statusFormat);

// VersionToHundredths of "VER"; -1 when absent or longer than 10 characters.
int GetReplyVersion(const CMapStringToString& values);

// 1 when "MODE" is exactly "IPL", the printer's firmware-loading mode.
int IsIplMode(const CMapStringToString& values);
