// The names of the window's controls, as the handlers address them. Names are GBK at run time,
// like every text of the window definition; the comment beside each gives it in plain Chinese.
#pragma once

namespace names {
inline constexpr const char kPicBox1[] = "\xCD\xBC\xC6\xAC\xBF\xF2" "1";              // 图片框1
inline constexpr const char kButton1[] = "\xB0\xB4\xC5\xA5" "1";                      // 按钮1
inline constexpr const char kPicBox2[] = "\xCD\xBC\xC6\xAC\xBF\xF2" "2";              // 图片框2
inline constexpr const char kTransLabel1[] = "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9" "1";  // 透明标签1
inline constexpr const char kEditBox1[] = "\xB1\xE0\xBC\xAD\xBF\xF2" "1";             // 编辑框1
inline constexpr const char kEditBox2[] = "\xB1\xE0\xBC\xAD\xBF\xF2" "2";             // 编辑框2
inline constexpr const char kTransLabel2[] = "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9" "2";  // 透明标签2
inline constexpr const char kButton2[] = "\xB0\xB4\xC5\xA5" "2";                      // 按钮2
inline constexpr const char kLabel1[] = "\xB1\xEA\xC7\xA9" "1";                       // 标签1
inline constexpr const char kLabel2[] = "\xB1\xEA\xC7\xA9" "2";                       // 标签2
inline constexpr const char kEditBox3[] = "\xB1\xE0\xBC\xAD\xBF\xF2" "3";             // 编辑框3
inline constexpr const char kLabel3[] = "\xB1\xEA\xC7\xA9" "3";                       // 标签3
inline constexpr const char kFileNameLabel[] = "\xCE\xC4\xBC\xFE\xC3\xFB";            // 文件名
inline constexpr const char kNotice[] = "\xC9\xF9\xC3\xF7";                           // 声明
inline constexpr const char kRadioBox1[] = "\xB5\xA5\xD1\xA1\xBF\xF2" "1";            // 单选框1
inline constexpr const char kRadioBox2[] = "\xB5\xA5\xD1\xA1\xBF\xF2" "2";            // 单选框2
inline constexpr const char kNotice1[] = "\xC9\xF9\xC3\xF7" "1";                      // 声明1
}  // namespace names
