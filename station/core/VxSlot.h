// One bound function of an outside library. A slot whose export was missing stays empty, and a
// call through an empty slot does not crash: it acts as a failed call (0, which also reads as
// "no" for the yes/no queries) and writes one trace line naming the function, in the words of
// the program that binds it (the `Missing` policy; the station's by default).
#pragma once

namespace station::core {

// Writes "[Kivra] <name> is missing from the WLAN library: call failed".
void report_missing_export(const char* name);

struct StationMissingExport {
    static void report(const char* name) { report_missing_export(name); }
};

template<typename Fn, typename Missing = StationMissingExport>
class VxSlot;

template<typename R, typename... Args, typename Missing>
class VxSlot<R (*)(Args...), Missing> {
public:
    using Function = R (*)(Args...);

    R operator()(Args... args) const
    {
        if (!m_function) {
            Missing::report(m_name);
            return R {};
        }
        return m_function(args...);
    }

    explicit operator bool() const { return m_function != nullptr; }
    Function get() const { return m_function; }
    const char* name() const { return m_name; }

    void bind(Function function) { m_function = function; }
    void set_name(const char* name) { m_name = name; }

private:
    Function m_function { nullptr };
    const char* m_name { "" };
};

}
