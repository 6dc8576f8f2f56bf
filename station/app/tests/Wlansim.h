// Runs wlansim, the simulated world's command-line tool built beside the program under test, and
// answers what it printed. A command that fails fails the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace station::testing {

inline std::string wlansim(std::string const& arguments)
{
    std::string const command = std::string(VXWLAPI_FOLDER) + "/wlansim " + arguments;
    std::string out;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << command << "\n" << out;
    return out;
}

}
