// Any text as a resource file: every line is kept or reported, never half-kept, and what was
// kept has the bounds the reader promises.
#include "platform/framework/Resources.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    std::string const text(reinterpret_cast<char const*>(data), size);
    platform::framework::ResourceSet set;
    // Includes and raw files name files under a folder that does not exist: they are missing.
    set.parse(text, "/nonexistent-resource-folder", "fuzz.res");
    for (int id = -2; id < 4; ++id) {
        if (auto const* dialog = set.dialog(id)) {
            if (dialog->rect.right < dialog->rect.left || dialog->rect.bottom < dialog->rect.top)
                __builtin_trap();
        }
    }
    return 0;
}
