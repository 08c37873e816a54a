#pragma once

// The program's message texts. Some are formats for Format(): %s and %d mark what is filled in.
namespace zelvorn::messages {

inline constexpr const char kInvalidInteger[] = "'%s' 不是一个有效的整形值";
inline constexpr const char kInvalidFormat[] = "格式 '%s' 无效或与参数不兼容";
inline constexpr const char kListIndexError[] = "列表索引越界 (%d)";
inline constexpr const char kOutOfTimers[] = "可用的计时器不足";
inline constexpr const char kGridIndexOutOfRange[] = "网格索引越界";
inline constexpr const char kFixedColsTooBig[] = "固定列的数目必须小于总列数";
inline constexpr const char kFixedRowsTooBig[] = "固定行的数目必须小于总行数";
inline constexpr const char kTooManyDeleted[] = "删除了太多的行或列";
inline constexpr const char kGridTooLarge[] = "操作的网格太大";

}  // namespace zelvorn::messages
