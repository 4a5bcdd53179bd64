// The custom-dialog library's page controls (its templates are
// standin/mscuistf/mscuistf.rc) and what pressing each button means for the
// page's outcome. Shared by the toolkit and by whoever answers its pages.
#pragma once

#include <string>

constexpr int kPageContinueButton = 403;
constexpr int kPageBackButton = 402;
constexpr int kPageExitButton = 424;
constexpr int kPageHelpButton = 408;
constexpr int kPageEditField = 427;

// The help page the Help button shows, and its OK button.
constexpr int kHelpPage = 900;
constexpr int kHelpOkButton = 1;

// The outcome a page button gives ("REACTIVATE": the help was shown and the
// page comes back); empty for an id that is no page button.
inline std::string PageOutcomeOfButton(int id) {
  switch (id) {
    case kPageContinueButton:
      return "CONTINUE";
    case kPageBackButton:
      return "BACK";
    case kPageExitButton:
      return "EXIT";
    case kPageHelpButton:
      return "REACTIVATE";
    default:
      return std::string();
  }
}

// The button that gives an outcome; 0 for an unknown outcome.
inline int PageButtonOfOutcome(const std::string& outcome) {
  for (int id : {kPageContinueButton, kPageBackButton, kPageExitButton, kPageHelpButton}) {
    if (PageOutcomeOfButton(id) == outcome) return id;
  }
  return 0;
}
