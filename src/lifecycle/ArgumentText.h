// The command line as the saver reads it: the argument text and its mode key.
#pragma once

#include <string>
#include <string_view>

namespace kvs {

enum class Mode { Preview, Run, Other };

// The command line without the program's path and the blanks (spaces and
// tabs) after it: the end of `commandLine` itself. A path that begins with a
// double quote ends at the closing quote (without one, the whole line is the
// path), any other at the first blank.
std::u16string_view ArgumentText(std::u16string_view commandLine);

// The first two characters of the argument text with a-z upper-cased (fewer
// when the text is shorter); no other character is changed.
std::u16string ModeKey(std::u16string_view argumentText);

// "/P" is preview, "/S" is run, every other key (the empty one included) other.
Mode ModeOf(std::u16string_view modeKey);

}  // namespace kvs
