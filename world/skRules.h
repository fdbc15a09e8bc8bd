// The rule set a translation unit is built for. The full rules (sprint energy,
// obstacles on an arc) are the default; SKIVO_CLASSIC selects the classic ones
// (constant pull along -y, scattered obstacles). Everything whose layout or
// behaviour depends on the rules lives in an inline namespace named after the
// rule set, so that code built for both sets can be linked into one program
// while callers still write skivo::skCharacter.
#pragma once

#if defined(SKIVO_CLASSIC)
#define SKIVO_RULES classic
#else
#define SKIVO_RULES full
#endif

namespace skivo {
inline namespace SKIVO_RULES {
// True when built with the full rules (sprint energy, arc layout).
constexpr bool fullRules =
#if defined(SKIVO_CLASSIC)
    false;
#else
    true;
#endif
}  // namespace SKIVO_RULES
}  // namespace skivo
