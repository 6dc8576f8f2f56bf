// Splitting a command line given as one text into arguments with the quoting rules of the
// original runtime, so that a program started with such a line receives exactly the arguments
// its author meant, without any shell in between.
//
// Rules: blanks (space, tab) separate arguments outside quotes; a '"' opens or closes a quoted
// part; 2n backslashes before a '"' give n backslashes and the quote keeps its meaning, 2n+1
// give n backslashes and a literal '"'; backslashes elsewhere are literal; inside a quoted part
// '""' gives a literal '"'. The program name (first argument) ends at the next blank, or, when
// it starts with '"', at the next '"', and takes no backslash rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::system {

std::vector<std::string> split_command_line(std::string_view line);
// Arguments after the program name.
std::vector<std::string> split_arguments(std::string_view text);
// The inverse: quotes an argument so that split_arguments gives it back unchanged.
std::string quote_argument(std::string_view argument);

}
