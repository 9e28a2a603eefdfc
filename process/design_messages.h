#pragma once

#include <string>
#include <string_view>

#include "panel/air_field.h"
#include "panel/form_layout.h"
#include "panel/messages.h"
#include "panel/number_text.h"
#include "process/process_names.h"
#include "solver/search_bounds.h"

namespace tarvel::process::messages {

// Every text a design shows beside the calculate command's own, word for word. Each is shown with
// the exclamation icon and the title "注意"; a numeric fault in a process's own formula is
// reported as the calculate command reports one ("数值运算错误", critical, "错误").
inline constexpr MessageIcon kIcon = MessageIcon::Exclamation;
inline constexpr std::string_view kTitle = tarvel::messages::kTitleAttention;

// The request as a whole, answered {"error": ...} (keys in “ ”, as given).
inline constexpr std::string_view kRequestNotObject = "设计请求须是一个 JSON 对象";
// Where a request of `size` bytes stops being JSON: at its byte `byte` (from 1), or past its end.
inline std::string RequestNotJson(std::size_t byte, std::size_t size) {
  if (byte > size)
    return "设计请求不是有效的 JSON（没有写完）";
  return "设计请求不是有效的 JSON（在第 " + std::to_string(byte) + " 个字节处）";
}

// The request's points.
inline constexpr std::string_view kPointNotObject = "状态点须是一个对象";
inline constexpr std::string_view kNameNotText = "状态点名称须为文本";
// "state、mix、heat、coil、spray、steam、supply"
inline const std::string& ProcessKeys() {
  static const std::string keys = [] {
    std::string joined;
    for (const ProcessName& process : kProcessNames)
      joined.append(joined.empty() ? "" : "、").append(process.key);
    return joined;
  }();
  return keys;
}
// "请给出状态点的参数或过程（state、mix、heat、coil、spray、steam、supply 之一）"
inline std::string NoProcess() {
  return "请给出状态点的参数或过程（" + ProcessKeys() + " 之一）";
}
inline constexpr std::string_view kSeveralProcesses = "一个状态点只能有一种过程";
inline constexpr std::string_view kSelfReference = "状态点不能引用自身";

// Mixing.
inline constexpr std::string_view kStreamNotObject = "混合的每股气流须是一个对象";
inline constexpr std::string_view kTooFewStreams = "混合须有两股以上气流";
inline constexpr std::string_view kFog = "混合状态在饱和线以上（结雾）";

// Heating, coils, humidifiers.
inline constexpr std::string_view kBelowDewPoint = "冷却到露点温度以下，不是等湿冷却";
inline constexpr std::string_view kNotCoolingCoil = "出口状态比进口热或湿，不是冷却去湿过程";
inline constexpr std::string_view kNotHumidifying = "含湿量减少，不是加湿过程";
inline constexpr std::string_view kFlowUnknown = "风量未知：请在前面给出送风状态，或给出风量";
inline constexpr std::string_view kFlowNotPositive = "风量须大于零";

// The supply state.
inline constexpr std::string_view kNoLoads = "热负荷和湿负荷不能都为零";
// A number as a range is written in a text, with the minus sign U+2212: "−99".
inline std::string InText(double x) {
  const std::string text = FormatNumber(x);
  return text.starts_with('-') ? "−" + text.substr(1) : text;
}
// "送风温度超出计算范围（−99～100 ℃）": the dry bulbs the calculator's searches reach.
inline const std::string& SupplyOutOfRange() {
  static const std::string text = "送风温度超出计算范围（" + InText(kLowestTemperature) + "～" +
                                  InText(kHighestDryBulb) + " " +
                                  std::string(form::FieldUnit(AirField::DryBulb)) + "）";
  return text;
}
inline constexpr std::string_view kParallelToIsotherm = "热湿比线与等温线平行，求不出送风状态";
inline constexpr std::string_view kNoEnthalpyDifference = "送风与室内焓差为零，求不出送风量";
inline constexpr std::string_view kSupplyFlowNotPositive = "送风量不为正：送风温差与负荷的正负不符";

// Texts that name a key or a point of the request (in “ ”, as given).
inline std::string Quoted(std::string_view text) {
  return "“" + std::string(text) + "”";
}
inline std::string ValueNotText(std::string_view key) {
  return Quoted(key) + "须为文本";
}
inline std::string MissingValue(std::string_view key) {
  return "缺少" + Quoted(key);
}
inline std::string OneOf(std::string_view a, std::string_view b) {
  return Quoted(a) + "和" + Quoted(b) + "须给出且只给出一个";
}
inline std::string NotAnObject(std::string_view key) {
  return Quoted(key) + "须是一个对象";
}
inline std::string NotAList(std::string_view key) {
  return Quoted(key) + "须为列表";
}
inline std::string DuplicateName(std::string_view name) {
  return "状态点名称" + Quoted(name) + "重复";
}
inline std::string UnknownPoint(std::string_view name) {
  return "前面没有状态点" + Quoted(name);
}
inline std::string PointNotUsable(std::string_view name) {
  return "状态点" + Quoted(name) + "有提示，无法继续计算";
}
inline std::string StreamFlowNotPositive(std::string_view name) {
  return "气流" + Quoted(name) + "的风量须大于零";
}
inline std::string RequestFlowNotPositive(std::string_view key) {
  return Quoted(key) + "须为文本，读作大于零的风量（kg/s）";
}
// "未知的过程“spary”（应为 state、mix、heat、coil、spray、steam、supply 之一）"
inline std::string UnknownProcess(std::string_view key) {
  return "未知的过程" + Quoted(key) + "（应为 " + ProcessKeys() + " 之一）";
}
// A figure whose value would not be finite (a huge flow times a change): left out, and told.
inline std::string FigureOutOfRange(std::string_view figure) {
  return std::string(figure) + "超出数值范围，无法计算";
}
inline std::string StreamFlowOutOfRange(std::string_view name) {
  return "气流" + Quoted(name) + "的" + FigureOutOfRange(kFlowFigure);
}
// A request's flow that the design does not use, since its flow is a supply state's.
inline std::string FlowNotUsed(std::string_view flow_key, std::string_view supply) {
  return "未使用请求中的" + Quoted(flow_key) + "：设计有送风状态" + Quoted(supply) +
         "，风量取自送风状态";
}
inline std::string MustBe(std::string_view key, std::string_view value) {
  return Quoted(key) + "须为" + Quoted(value);
}

}  // namespace tarvel::process::messages
