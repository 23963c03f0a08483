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
