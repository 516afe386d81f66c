#pragma once

#include "checkcommand.h"

#include <string>
#include <vector>

// `stelvana optimize bracket [id=value …]`: the lightest brackets as the
// dialog 截面优选 finds them, as CSV. An id of a size the search tries takes
// a range "from:to:step" or a list "6,8,10"; any other input id its text, as
// typed into the window; an input not given keeps its design-time text.
// Ten rows at most: the sizes, An, the governing row and its ratio.
CommandOutput optimizeBracket(
    const std::vector<std::string>& arguments, const FaultWords& faultWords);

// `stelvana optimize section [id=value …]`: the lightest welded I-sections as
// the dialog 截面优选 finds them, as CSV; B, H, tw and t take a range or a
// list as the bracket's sizes do. Ten rows at most: B, H, tw, t, A, the
// governing row and its ratio.
CommandOutput optimizeSection(
    const std::vector<std::string>& arguments, const FaultWords& faultWords);
