// Any bytes as an INI file, read the ways the profile functions read it: names and entries of
// its sections copied into buffers of every size the input picks, each buffer exactly that
// large so that a byte written or read past it shows.
#include "platform/system/IniDocument.h"
#include "platform/system/ProfileStore.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

namespace {

void copy_into(std::vector<std::string> const& items, unsigned size)
{
    auto buffer = std::make_unique<char[]>(size ? size : 1);
    unsigned const used = platform::system::copy_list(items, size ? buffer.get() : nullptr, size);
    if (size && used >= size)
        __builtin_trap();
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    unsigned const list_size = input.ConsumeIntegralInRange<unsigned>(0, 64);
    unsigned const text_size = input.ConsumeIntegralInRange<unsigned>(0, 64);
    std::string const text = input.ConsumeRemainingBytesAsString();
    auto const document = platform::system::IniDocument::parse(text);
    auto const sections = document.section_names();
    copy_into(sections, list_size);
    for (auto const& section : sections) {
        copy_into(document.key_names(section), list_size);
        copy_into(document.section_entries(section), list_size);
        for (auto const& key : document.key_names(section)) {
            auto value = document.value(section, key);
            if (!value)
                __builtin_trap(); // a listed key has a value
            auto buffer = std::make_unique<char[]>(text_size ? text_size : 1);
            platform::system::copy_cut(*value, text_size ? buffer.get() : nullptr, text_size);
        }
    }
    platform::system::IniDocument::parse(document.serialize());
    return 0;
}
