#include "PersianCalendar.h"

namespace core {

namespace {

// The years of a 33-year cycle that have a 30th of Esfand.
bool IsLeapYear(long year) {
  const long place = ((year % 33) + 33) % 33;
  return place == 1 || place == 5 || place == 9 || place == 13 || place == 17 || place == 22 ||
         place == 26 || place == 30;
}

long LeapYearsBefore(long year) {
  long count = (year - 1) / 33 * 8;
  for (long each = (year - 1) / 33 * 33 + 1; each < year; ++each) count += IsLeapYear(each);
  return count;
}

// Days since an arbitrary origin, the same for both calendars.
long GregorianDayNumber(long year, long month, long day) {
  const long shifted = month <= 2 ? year - 1 : year;
  const long era = shifted / 400;
  const long ofEra = shifted - era * 400;
  const long ofYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long ofCycle = ofEra * 365 + ofEra / 4 - ofEra / 100 + ofYear;
  return era * 146097 + ofCycle;
}

// The first of Farvardin 1404 was 21 March 2025.
const long NewYear1404 = GregorianDayNumber(2025, 3, 21);

long NewYearDayNumber(long year) {
  return NewYear1404 + (year - 1404) * 365 + (LeapYearsBefore(year) - LeapYearsBefore(1404));
}

}  // namespace

SolarDate SolarDateOf(int year, int month, int day) {
  const long number = GregorianDayNumber(year, month, day);
  long solarYear = year - 621;
  while (NewYearDayNumber(solarYear + 1) <= number) ++solarYear;
  while (NewYearDayNumber(solarYear) > number) --solarYear;
  const long ofYear = number - NewYearDayNumber(solarYear);  // from 0
  // Six months of 31 days, five of 30, and Esfand of 29 or 30.
  const long solarMonth = ofYear < 186 ? ofYear / 31 + 1 : (ofYear - 186) / 30 + 7;
  const long solarDay = ofYear < 186 ? ofYear % 31 + 1 : (ofYear - 186) % 30 + 1;
  return {static_cast<int>(solarYear), static_cast<int>(solarMonth), static_cast<int>(solarDay)};
}

std::u32string PersianDateText(const SolarDate& date) {
  std::u32string text;
  const auto append = [&](int value, int digits) {
    std::u32string number;
    for (int place = 0; place < digits || value > 0; ++place, value /= 10)
      number.insert(number.begin(), static_cast<char32_t>(0x06F0 + value % 10));
    text += number;
  };
  append(date.year, 4);
  text += U'/';
  append(date.month, 2);
  text += U'/';
  append(date.day, 2);
  return text;
}

}  // namespace core
