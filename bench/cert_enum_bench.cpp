// The station library's certificate listing as the client certificate tab uses it: the count,
// the filled records and their release, with 200 certificates in the personal store. The
// library is the built stand-in, loaded as the program loads it.
#include "platform/system/Module.h"
#include "wlan/api/Exports.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kCertificates = 200;

HMODULE load_with_store()
{
    static HMODULE module = [] {
        std::string const folder = (std::filesystem::temp_directory_path() / "cert-enum-bench").string();
        std::filesystem::create_directories(folder);
        std::ofstream world(folder + "/world.ini");
        world << "[adapter:a]\nname = A\n";
        for (int i = 0; i < kCertificates; ++i)
            world << "[cert:c" << i << "]\nstore = MY\nissued_to = User " << i << "\nissued_by = Corp Root CA\n"
                  << "expires = 2030/12/31\nfriendly = Certificate " << i << "\n";
        world.close();
        ::setenv("VXSIM_SCENARIO", (folder + "/world.ini").c_str(), 1);
        ::setenv("VXSIM_STORE", (folder + "/store").c_str(), 1);
        return LoadLibrary((std::string(VXWLAPI_FOLDER) + "/VxWLAPI.dll").c_str());
    }();
    return module;
}

void EnumerateCertificates(benchmark::State& state)
{
    HMODULE const module = load_with_store();
    if (!module) {
        state.SkipWithError("VxWLAPI not loaded");
        return;
    }
    auto enum_cert = reinterpret_cast<PFN_VXWL_EnumCert>(GetProcAddress(module, "VXWL_EnumCert"));
    auto free_array = reinterpret_cast<PFN_VXWL_FreeCertArray>(GetProcAddress(module, "VXWL_FreeCertArray"));
    for (auto _ : state) {
        VXWL_U32 n = 0;
        enum_cert("MY", nullptr, &n);
        std::vector<CERT_RECORD> records(n);
        enum_cert("MY", records.data(), &n);
        benchmark::DoNotOptimize(records.data());
        free_array(records.data(), &n);
    }
    state.counters["certificates"] = kCertificates;
}
BENCHMARK(EnumerateCertificates)->Unit(benchmark::kMillisecond);

}


// The library's thread stops before the process ends, as the program stops it.
int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (HMODULE const module = load_with_store()) {
        reinterpret_cast<PFN_VXWL_DeInitial>(GetProcAddress(module, "VXWL_DeInitial"))();
        FreeLibrary(module);
    }
    return 0;
}
