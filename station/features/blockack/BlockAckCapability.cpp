#include "station/features/blockack/BlockAckCapability.h"

#include <cstdlib>

namespace {

constexpr std::uint8_t kAggregationOn = 1;
constexpr std::uint8_t kAggregationOff = 2;

struct Field {
    int shift;
    std::uint32_t mask;
};
constexpr Field kWindow1 { 0, 0xFF };
constexpr Field kWindow2 { 8, 0xFF };
constexpr Field kAutoSetup { 16, 0x1 };
constexpr Field kAggregation { 17, 0x3 };
constexpr Field kDensity { 19, 0x7 };
constexpr Field kAmsduEnable { 22, 0x1 };
constexpr Field kAmsduSize { 23, 0x1 };
constexpr Field kPowerSave { 24, 0x3 };

std::uint32_t put(Field f, std::uint8_t value) { return (std::uint32_t(value) & f.mask) << f.shift; }
std::uint8_t take(Field f, std::uint32_t packed) { return std::uint8_t((packed >> f.shift) & f.mask); }

}

std::uint8_t PowerSaveToRecord(int index)
{
    switch (index) {
    case BlockAckMembers::StaticSmps: return 0;
    case BlockAckMembers::DynamicSmps: return 1;
    default: return 3;
    }
}

int PowerSaveFromRecord(std::uint8_t value)
{
    switch (value) {
    case 0: return BlockAckMembers::StaticSmps;
    case 1: return BlockAckMembers::DynamicSmps;
    default: return BlockAckMembers::SmEnable;
    }
}

std::uint32_t PackBACap(BA_CAP_SETTING const& cap)
{
    return put(kWindow1, cap.WindowLimit1) | put(kWindow2, cap.WindowLimit2) | put(kAutoSetup, cap.AutoSetup)
        | put(kAggregation, cap.Aggregation) | put(kDensity, cap.MpduDensity) | put(kAmsduEnable, cap.AmsduEnable)
        | put(kAmsduSize, cap.AmsduSize) | put(kPowerSave, cap.PowerSave);
}

BA_CAP_SETTING UnpackBACap(std::uint32_t packed)
{
    BA_CAP_SETTING cap {};
    cap.WindowLimit1 = take(kWindow1, packed);
    cap.WindowLimit2 = take(kWindow2, packed);
    cap.Aggregation = take(kAggregation, packed);
    cap.MpduDensity = take(kDensity, packed);
    cap.AmsduEnable = take(kAmsduEnable, packed);
    cap.AmsduSize = take(kAmsduSize, packed);
    cap.PowerSave = take(kPowerSave, packed);
    cap.AutoSetup = take(kAutoSetup, packed);
    return cap;
}

BA_CAP_SETTING BACapFromMembers(BlockAckMembers const& members)
{
    BA_CAP_SETTING cap {};
    cap.WindowLimit1 = std::uint8_t(members.window_limit1);
    cap.WindowLimit2 = std::uint8_t(members.window_limit2);
    cap.Aggregation = members.aggregation_enable ? kAggregationOn : kAggregationOff;
    cap.MpduDensity = std::uint8_t(std::atoi(members.density.c_str()));
    cap.AmsduEnable = std::uint8_t(members.amsdu_enable);
    cap.AmsduSize = std::uint8_t(members.amsdu_size);
    cap.PowerSave = PowerSaveToRecord(members.power_save);
    cap.AutoSetup = members.aggregation_mode == BlockAckMembers::Automatic ? 1 : 0;
    return cap;
}

void BACapToMembers(BA_CAP_SETTING const& cap, BlockAckMembers& members)
{
    members.window_limit1 = cap.WindowLimit1;
    members.window_limit2 = cap.WindowLimit2;
    members.aggregation_enable = cap.Aggregation == kAggregationOn ? 1 : 0;
    members.aggregation_mode = cap.AutoSetup == 1 ? BlockAckMembers::Automatic : BlockAckMembers::Manual;
    members.density = std::to_string(cap.MpduDensity);
    members.amsdu_enable = cap.AmsduEnable == 1 ? 1 : 0;
    if (members.amsdu_enable)
        members.amsdu_size = cap.AmsduSize;
    members.power_save = PowerSaveFromRecord(cap.PowerSave);
}

BlockAckEnabling BlockAckEnablingFor(BlockAckMembers const& members)
{
    bool const on = members.aggregation_enable != 0;
    bool const manual = members.aggregation_mode == BlockAckMembers::Manual;
    return BlockAckEnabling { on, on && manual, members.amsdu_enable != 0 };
}
