#pragma once

#include <array>
#include <string_view>

namespace kalvira {

// One time base of the window: seconds per division and the option's caption.
struct TimeBase {
    float secondsPerDivision;
    std::string_view caption;
};
// Index 0 "5sec/Div." to 13 "1msec/Div.".
inline constexpr std::array<TimeBase, 14> kTimeBases{{
    {5.0f, "5sec/Div."},
    {2.0f, "2sec/Div."},
    {1.0f, "1sec/Div."},
    {0.5f, "0,5sec/Div."},
    {0.2f, "0,2sec/Div."},
    {0.1f, "0,1sec/Div."},
    {0.05f, "50msec/Div."},
    {0.025f, "25msec/Div."},
    {0.02f, "20msec/Div."},
    {0.01f, "10msec/Div."},
    {0.005f, "5msec/Div"},
    {0.0025f, "2,5msec/Div"},
    {0.002f, "2msec/Div."},
    {0.001f, "1msec/Div."},
}};

}  // namespace kalvira
