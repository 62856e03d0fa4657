// The small tag reader for the device file: it finds elements by their tag name in
// plain text and does not parse XML otherwise (no attributes, entities or
// namespaces are read). Tag names match case-sensitively.
#pragma once

#include <string_view>
#include <vector>

#include "platform/tarnel_types.h"

// Appends the content of every element `tag` in `text` to `list`, unchanged, and
// returns how many it appended. The contents are views into `text`, valid as long as
// it is; nested elements overlap, so copies could grow with the square of the text. An opening tag
// is "<tag>" or "<tag" with a blank and attributes up to the next ">"; "<tag" followed by anything
// else is another tag. An element without its closing tag has no content to append. Elements of the
// same name nested inside a content are found as well.
int FindElements(std::wstring_view text, std::wstring_view tag,
                 std::vector<std::wstring_view>& list);

// The content of the first element `tag`, or empty text.
CString GetElementText(std::wstring_view text, std::wstring_view tag);

// The leading decimal number of the first element's content as a signed 32-bit
// value, clamped to its range; 0 when there is no content or no digits.
int GetElementNumber(std::wstring_view text, std::wstring_view tag);
