// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form_layout.h"

#include <cstddef>
#include <stdexcept>

namespace vm::shell {
namespace {

constexpr int kGenTop = 3540;
constexpr int kGenLeft = 30;
constexpr int kGenStep = 870;
constexpr Twips GenButton(int k) {
  return {kGenLeft + kGenStep * k, kGenTop, 855, 375};
}

constexpr ControlSpec kControls[] = {
    {"lblBack", 0, {0, -210, 7965, 4185}, u"", u""},
    {"lblBack", 2, {7890, 0, 2895, 1455}, u"", u""},
    {"txtMain", -1, {30, 30, 7815, 3465}, u"", u""},
    {"cmdS", 1, GenButton(0), u"1", u""},
    {"cmdS", 5, GenButton(1), u"2", u""},
    {"cmdS", 10, GenButton(2), u"3", u""},
    {"cmdS", 15, GenButton(3), u"4", u""},
    {"cmdS", 20, GenButton(4), u"5", u""},
    {"cmdS", 28, GenButton(5), u"6", u""},
    {"cmdS", 44, GenButton(6), u"7", u""},
    {"cmdS", 60, GenButton(7), u"8", u""},
    {"cmdS", 124, GenButton(8), u"9", u""},
    {"txtCmd", -1, {30, 3960, 6555, 360}, u"", u"Типа консолька, можно даже пердолиться."},
    {"cmdC", 0, {6600, 3960, 405, 345}, u"W", u"Получить рифмующиеся слова"},
    {"cmdC", 1, {7020, 3960, 405, 345}, u"L", u"Получить рифмующиеся строки"},
    {"cmdC", 2, {7440, 3960, 405, 345}, u"S", u"Генерация по заданному сиду"},
    {"txtInLine", -1, {30, 4305, 645, 360}, u"", u"Пролог,  \\n = новая строка"},
    {"txtOutLine", -1, {30, 4650, 645, 360}, u"", u"Эпилог,  \\n = новая строка"},
    {"imgRandom", -1, {7890, 1440, 1005, 3645}, u"", u""},
};

// Row 1 (beside the prologue), row 2 (beside the epilogue), right column.
constexpr int kRow1Top = 4350;
constexpr int kRow2Top = 4710;
constexpr int kRowHeight = 285;
constexpr int kRightLeft = 7920;
constexpr Twips Row(int top, int slot) {
  constexpr int lefts[] = {780, 1470, 2340, 3150, 4440, 5340, 6660};
  constexpr int widths[] = {585, 765, 705, 1185, 795, 1215, 1275};
  return {lefts[slot], top, widths[slot], kRowHeight};
}
constexpr Twips Row1(int slot) {
  return Row(kRow1Top, slot);
}
constexpr Twips Row2(int slot) {
  return Row(kRow2Top, slot);
}

constexpr OptionSpec kOptions[] = {
    {0, {kRightLeft, 0, 1065, 345}, u"CP", u"Автоматически копировать"},
    {1,
     {kRightLeft, 360, 1065, 345},
     u"UTF-8",
     u"Копировать в UTF-8. Если ОС виста/спермерка или выше, вроде как обязательно."},
    {2, Row1(1), u". , ?!", u"Пунктуация"},
    {3, Row2(0), u"Aa", u"Отключить CAPSLOCK"},
    {4,
     {kRightLeft, 720, 1035, 345},
     u"Кэш",
     u"Избегает недавно использованных фраз, если уникальных строк достаточно"},
    {5, Row1(4), u"Омск", u"Viva la Omsk!"},
    {6, Row1(0), u"§", u"Больше единого разрыва"},
    {7,
     {kRightLeft, 1050, 1035, 405},
     u"а < a",
     u"Замена некоторых символов кириллицы на латиницу, иногда полезно"},
    {8, Row1(5), u"Разметка", u"Теги вида [b][i][u]"},
    {9, Row2(5), u"Куклотеги", u"Классические теги: **%%"},
    {10, Row1(6), u"Лирика", u"Ехал быдло через быдло - быдло быдло быдло быдло"},
    {11, Row2(6), u"Энтропия", u"Вечное сияние чистого рандома"},
    {12, Row2(4), u"Хаос", u"Загрузка..."},
    {13, Row2(2), u"IQ?", u"Большие проблемы с речью..."},
    {14, Row1(2), u"@", u"Превращение некоторых слов в другие"},
    {15, Row2(1), u"аАа", u"СлУЧайнЫй рЕГистР"},
    {16, Row1(3), u"Опечатки", u"Не деай этого, ссука"},
    {17, Row2(3), u"", u""},
};

}  // namespace

std::span<const ControlSpec> Controls() {
  return kControls;
}
std::span<const OptionSpec> Options() {
  return kOptions;
}

const ControlSpec& Control(std::string_view name, int index) {
  for (const ControlSpec& spec : kControls) {
    if (spec.name == name && spec.index == index) return spec;
  }
  throw std::out_of_range("no such control");
}

}  // namespace vm::shell
