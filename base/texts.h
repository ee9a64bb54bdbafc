// Every text the program shows, in code page 1251.
#pragma once

#include "base/cp1251.h"
#include "base/version.h"

namespace vetrix::texts {

inline constexpr Cp1251Text kAppTitle = "Vetrix";
// The tray's balloon at a start that finds no gesture.ini.
inline constexpr Cp1251Text kFirstStartTitle = "Vetrix работает в области уведомлений";
inline constexpr Cp1251Text kFirstStartText =
    "Щёлкните значок, чтобы открыть окно и записать первый жест.";
// The tray tip while recognition is paused; " (game.exe)" follows when the program is known.
inline constexpr Cp1251Text kPausedTip = "Vetrix: пауза";
// The tray tip once the attempt trace's file refused a write; its path follows.
inline constexpr Cp1251Text kTraceRefusedTip = "Vetrix: не удаётся записать попытки в ";
// The same for a file that holds something else than attempts, which is left untouched.
inline constexpr Cp1251Text kTraceNotATraceTip = "Vetrix: это не файл попыток, он не тронут: ";
// The same for a network share or a device, never written.
inline constexpr Cp1251Text kTraceNetworkTip =
    "Vetrix: попытки не пишутся на сетевой путь или устройство: ";
// The tray tip while the hook library cannot set its hook: the trigger's buttons go unheard.
inline constexpr Cp1251Text kHookSilentTip = "Vetrix: не удаётся следить за кнопками мыши";
inline constexpr Cp1251Text kMainTitle = "Vetrix v" VETRIX_VERSION_TEXT;
inline constexpr Cp1251Text kStart = "Старт";
inline constexpr Cp1251Text kWaiting = "Ожидание";
inline constexpr Cp1251Text kRecord = "Запись";
inline constexpr Cp1251Text kRecording = "Записывается";
inline constexpr Cp1251Text kDelete = "Удалить";
inline constexpr Cp1251Text kHide = "Скрыть";
inline constexpr Cp1251Text kAdd = "Добавить";
inline constexpr Cp1251Text kUseMouse = "Использовать кнопки мыши";
inline constexpr Cp1251Text kLeft = "Левая";
inline constexpr Cp1251Text kMiddle = "Средняя";
inline constexpr Cp1251Text kRight = "Правая";
inline constexpr Cp1251Text kHotKey = "Горячая клавиша";
inline constexpr Cp1251Text kExactRecording = "Точная запись";
// The tip after a triggered run that moved the pointer and fired nothing.
inline constexpr Cp1251Text kNotRecognised = "Жест не распознан";
inline constexpr Cp1251Text kWrongKey = "Неправильно задана клавиша!";
inline constexpr Cp1251Text kErrorCaption = "Ошибка!";
inline constexpr Cp1251Text kRestore = "Восстановить";
inline constexpr Cp1251Text kExit = "Выход";
inline constexpr Cp1251Text kFile = "Файл";
inline constexpr Cp1251Text kCommand = "Команда";
// The action list's menu item and the window it opens, for the selected gesture; its number
// and " в программах" follow "Жест ".
inline constexpr Cp1251Text kInPrograms = "В программах...";
inline constexpr Cp1251Text kGestureTitle = "Жест ";
inline constexpr Cp1251Text kInProgramsTitle = " в программах";
// Its buttons; "&" marks the letter that Alt presses them with.
inline constexpr Cp1251Text kProgramFile = "&Файл...";
inline constexpr Cp1251Text kProgramCommand = "&Команда";
inline constexpr Cp1251Text kProgramNothing = "&Ничего";
inline constexpr Cp1251Text kProgramRemove = "&Удалить";
inline constexpr Cp1251Text kProgramBrowse = "&Обзор...";
inline constexpr Cp1251Text kProgramAdd = "&Добавить";
inline constexpr Cp1251Text kProgramClose = "&Закрыть";
// A row: the program, this, and what its action shows, or kNothing for an empty one.
inline constexpr Cp1251Text kProgramRowSeparator = ": ";
inline constexpr Cp1251Text kNothing = "ничего";
inline constexpr Cp1251Text kProgramFilter = "Programs|*.exe|All files|*.*";
// The chosen file's path, with "?" for what code page 1251 has no place for, follows.
inline constexpr Cp1251Text kPathNotStorable = "Этот путь нельзя записать в gesture.ini: ";
inline constexpr Cp1251Text kOpenFilter =
    "Executables|*.exe;*.bat;*.com|Images|*.bmp;*.jpg;*.tif;*.gif;*.iff;*.psd|All files|*.*";

}  // namespace vetrix::texts
