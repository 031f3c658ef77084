#pragma once
#include <string>

namespace core {

// A day of the Persian solar calendar (year, month 1-12, day 1-31).
struct SolarDate {
  int year, month, day;
  bool operator==(const SolarDate& other) const {
    return year == other.year && month == other.month && day == other.day;
  }
};

// The solar day of a Gregorian one. Leap years follow the 33-year cycle,
// which agrees with the observed new year for the years of this and the
// last century and the next.
SolarDate SolarDateOf(int year, int month, int day);

// "۱۴۰۵/۰۹/۱۷": year, month and day in Persian digits, as Persians write
// the date.
std::u32string PersianDateText(const SolarDate& date);

}  // namespace core
