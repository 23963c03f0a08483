// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Captions and messages that carry state or are checked by other windows. They are compared as
// exact text, so they are defined once and never translated.
namespace UiTexts {

inline const QString ErrorTitle = QStringLiteral("錯誤");
inline const QString DataError = QStringLiteral("資料錯誤");
inline const QString NoSendData = QStringLiteral("沒有傳送資料");
inline const QString PortNotOpen = QStringLiteral("通訊埠沒有開啟");
inline const QString PortHeld = QStringLiteral("通訊埠已被開啟，請檢查");
inline const QString PortOpenError = QStringLiteral("通訊埠開啟錯誤");
inline const QString PortLost = QStringLiteral("通訊埠連線中斷");
inline const QString NoData = QStringLiteral("沒有資料");
inline const QString CalcFailed = QStringLiteral("無法啟動計算機");
// %1: the bytes that still wait for the device.
inline const QString PortBusy = QStringLiteral("通訊埠忙碌，尚有 %1 位元組未送出");
// %1: the longest line, in characters.
inline const QString LineTooLong = QStringLiteral("傳送資料太長，每行最多 %1 個字元");
inline const QString OutOfMemory = QStringLiteral("記憶體不足，無法完成");
// The second line when receiving ran out of memory; %1: the bytes kept.
inline const QString ReceiveKept
    = QStringLiteral("已保留收到的 %1 位元組，通訊埠已關閉；重新開啟不會清除資料。");

// The second line of a port's box; %1 is the device.
inline const QString ReasonPermission = QStringLiteral("%1：權限不足。");
// %1: the user, %2: the device's group.
inline const QString RemedyJoinGroup
    = QStringLiteral("請執行 sudo adduser %1 %2，重新登入後再試。");
inline const QString RemedyAskAdmin = QStringLiteral("請系統管理員開放此裝置的讀寫權限。");
// %2: the program's name, %3: its process id.
inline const QString ReasonHeldBy = QStringLiteral("%1：正由 %2（PID %3）使用中，請先結束該程式。");
// %2: the process id.
inline const QString ReasonHeldByPid
    = QStringLiteral("%1：正由另一個程式（PID %2）使用中，請先結束該程式。");
inline const QString ReasonHeld = QStringLiteral("%1：正由另一個程式使用中，請先結束該程式。");
inline const QString ReasonMissing = QStringLiteral("%1：找不到此裝置，請確認裝置已接上。");
inline const QString ReasonNotSerial = QStringLiteral("%1：不是序列埠裝置。");
inline const QString ReasonLost = QStringLiteral("%1：裝置已移除或不再回應。");
// %1: the bytes that were still waiting.
inline const QString ReasonDropped = QStringLiteral("尚未送出的 %1 位元組已捨棄。");
// %2: the system's words.
inline const QString ReasonOther = QStringLiteral("%1：%2");

inline const QString ExitTitle = QStringLiteral("結束");
inline const QString ExitPrompt = QStringLiteral("     是否確定脫離 ?");

inline const QString PanelPortOpen = QStringLiteral("通訊埠開啟");
inline const QString PanelPortClosed = QStringLiteral("通訊埠關閉");

// cmdPort: the caption, not the shared flag, says whether a click opens or closes.
inline const QString OpenPort = QStringLiteral("開啟通訊埠");
inline const QString ClosePort = QStringLiteral("關閉通訊埠");

// CmdSend(2): the caption carries the send mode and whether continuous sending runs.
inline const QString SingleSend = QStringLiteral("單筆傳送");
inline const QString ContinuousSend = QStringLiteral("連續傳送");
inline const QString StopSend = QStringLiteral("停止傳送");

// The hexadecimal line's edit menu.
inline const QString AppendModbusCrc = QStringLiteral("加上 CRC-16 (Modbus)");

} // namespace UiTexts
