# SPDX-License-Identifier: GPL-3.0-or-later
# The release that this build makes: the version is the project's (project(VERSION) in the top
# CMakeLists.txt, the one place it is written), the date is that of the version's entry in
# CHANGELOG.md. A version without an entry there stops the configuration, so a release cannot go
# out with a changelog, package and metadata that speak of another version. An "Unreleased" entry
# above it gathers what has landed since; it has no date and is passed over here.
#
# Sets WENDRIX_RELEASE_DATE (2026-12-09), WENDRIX_RELEASE_EPOCH (seconds since 1970 at midnight
# UTC of that day, for SOURCE_DATE_EPOCH) and WENDRIX_RELEASE_RFC2822 (Wed, 09 Dec 2026 00:00:00
# +0000, as Debian's changelog writes dates).

set(changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
file(STRINGS ${changelog} headings REGEX "^## ")
list(FILTER headings EXCLUDE REGEX "^## Unreleased$")
set(newest "(none)")
if(headings)
    list(GET headings 0 newest)
endif()
string(REPLACE "." "\\." versionPattern "${PROJECT_VERSION}")
if(NOT newest MATCHES "^## ${versionPattern} \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
    message(FATAL_ERROR "CHANGELOG.md's newest release must be version ${PROJECT_VERSION}, "
                        "headed '## ${PROJECT_VERSION} (YYYY-MM-DD)'; the newest is "
                        "'${newest}' (an '## Unreleased' entry may stand above it)")
endif()
set(yearText ${CMAKE_MATCH_1})
set(monthText ${CMAKE_MATCH_2})
set(dayText ${CMAKE_MATCH_3})
set(WENDRIX_RELEASE_DATE "${yearText}-${monthText}-${dayText}")

# Days since 1970-01-01 of a date in the proleptic Gregorian calendar, counted with years that
# start in March so that the leap day comes last.
math(EXPR year "${yearText}")
math(EXPR month "${monthText}")
math(EXPR day "${dayText}")
if(month LESS 1 OR month GREATER 12 OR day LESS 1 OR day GREATER 31)
    message(FATAL_ERROR "CHANGELOG.md: ${WENDRIX_RELEASE_DATE} is no date")
endif()
if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR marchMonth "${month} + 9")
else()
    math(EXPR marchMonth "${month} - 3")
endif()
math(EXPR era "${year} / 400")
math(EXPR yearOfEra "${year} - ${era} * 400")
math(EXPR dayOfYear "(153 * ${marchMonth} + 2) / 5 + ${day} - 1")
math(EXPR dayOfEra
     "${yearOfEra} * 365 + ${yearOfEra} / 4 - ${yearOfEra} / 100 + ${dayOfYear}")
math(EXPR days "${era} * 146097 + ${dayOfEra} - 719468")
math(EXPR WENDRIX_RELEASE_EPOCH "${days} * 86400")

# 1970-01-01 was a Thursday.
math(EXPR weekday "(${days} + 4) % 7")
set(weekdayNames "Sun;Mon;Tue;Wed;Thu;Fri;Sat")
list(GET weekdayNames ${weekday} weekdayName)
math(EXPR monthIndex "${month} - 1")
set(monthNames "Jan;Feb;Mar;Apr;May;Jun;Jul;Aug;Sep;Oct;Nov;Dec")
list(GET monthNames ${monthIndex} monthName)
set(WENDRIX_RELEASE_RFC2822
    "${weekdayName}, ${dayText} ${monthName} ${yearText} 00:00:00 +0000")
