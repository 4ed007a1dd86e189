#pragma once

#include <string>
#include <string_view>

#include "ui/control.hpp"

namespace ui {

// A caption as it is read out: without its access-key marks ("&&" is an ampersand), its runs of
// white space as one space, trimmed.
std::string spokenCaption(std::string_view caption);

// The name assistive technology gives `control`, as a screen reader says it: a control with a
// caption by its caption; a field or list by the caption of the label or option button before
// it in tab order (past the other fields of its frame, as the two fields of a custom scale share
// their option), which is what a sighted user reads beside it. Empty where nothing names it.
std::string accessibleNameOf(const Control& control);

}  // namespace ui
