#pragma once
// The launcher's messages, shown in warning message boxes titled "TARQ".
// Two-line messages are joined by CR LF.

#include <string_view>

namespace tarq::forms {

inline constexpr std::string_view kAppTitle = "TARQ";
inline constexpr std::string_view kMsgCannotStartGame =
    "ゲームが実行できません。\r\n設定し直して下さい。";
inline constexpr std::string_view kMsgNoCommentHere = "ここにコメントは付けられません";
inline constexpr std::string_view kMsgUnknownError = "不明なエラー";
inline constexpr std::string_view kMsgCannotSave = "データを保存できません。";
// Another launcher held the data folder's lock for the whole wait.
inline constexpr std::string_view kMsgDataBusy =
    "データが使用中です。\r\nしばらくしてからやり直して下さい。";
inline constexpr std::string_view kMsgDeviceUnavailable =
    "デバイスが使用できません。\r\nフォルダを再選択して下さい。";
inline constexpr std::string_view kMsgNoGameHere =
    "このフォルダにはhl.exeがありません。\r\nフォルダを再選択して下さい。";
// The folder holds hl.exe, but the settings file cannot carry its name.
inline constexpr std::string_view kMsgFolderNameNotStorable =
    "このフォルダ名は保存できません。\r\nフォルダを再選択して下さい。";

}  // namespace tarq::forms
