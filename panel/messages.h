#pragma once

#include <string_view>

#include "panel/field_panel.h"

namespace tarvel::messages {

// Every text and title the calculation shows, word for word.
inline constexpr std::string_view kTitleAttention = "注意";
inline constexpr std::string_view kTitleError = "错误";

inline constexpr std::string_view kEnterPressure = "请输入当地大气压力数值";
inline constexpr std::string_view kEnterTwoParameters = "请输入两个以上空气参数";
inline constexpr std::string_view kNoResult = "无法得出结果";
inline constexpr std::string_view kSeveralResults = "有多种结果";
inline constexpr std::string_view kOutOfRange = "超出区域范围";
inline constexpr std::string_view kNumericFault = "数值运算错误";

// Every search that misses its tolerance within its bound says so the same way: the state lies
// outside what the calculator computes.
inline void ShowOutOfRange(FieldPanel& panel) {
  panel.ShowMessage(kOutOfRange, MessageIcon::Critical, kTitleAttention);
}

}  // namespace tarvel::messages
