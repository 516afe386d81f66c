#pragma once

#include "judgedbracket.h"
#include "loadpath.h"

#include <optional>
#include <vector>

// The checks under 荷载与节点: the web under the load or its bearing
// stiffener, the bracket's own flange-to-web fillets, the column opposite
// the bracket's flanges, and the fillet leg against the column flange.

// The web's local compression under the load: none where a bearing
// stiffener takes the load, where the load pulls (F < 0) or where the
// inputs give no lz > 0.
std::optional<LocalCompression> webUnderLoad(const JudgedBracket& bracket, const LoadPathInputs& path);

// The rows in the verdict window's order, ten of them.
std::vector<JudgedCheck> judgeLoadPath(const JudgedBracket& bracket, const LoadPathInputs& path);
