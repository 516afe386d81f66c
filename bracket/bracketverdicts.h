#pragma once

#include "fieldsheet.h"
#include "verdicts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The six design checks that close a bracket calculation: a stress field of
// the bracket window against its design strength, N/mm². The strengths are
// those of Q235 plates up to 16 mm thick welded with E43 electrodes, butt
// welds of quality grade three; each check says where its value comes from.
//
// Texts are UTF-8. A symbol writes subscripts as "f_{v}" and superscripts as
// "f_{t}^{w}".
struct DesignCheck {
    FieldName field; // the stress judged
    std::string_view caption; // the verdict window's row
    std::string_view symbol; // of the design strength
    double strength; // N/mm²
    double factor; // on the strength; 1 where it is taken as it stands
    std::string_view source; // its table or clause in GB 50017-2017
    std::string_view clause; // the clause of GB 50017-2017 the check is made by

    // The stress the check allows: factor × strength, a Double product.
    double limit() const { return factor == 1 ? strength : factor * strength; }
};

// σ at the lower flange edge and τ at the axis against f and fv, the
// equivalent stress against β1·f, the upper (tension) and lower (compression)
// flange butt welds against ft^w and fc^w, the web fillet welds against ff^w.
const std::vector<DesignCheck>& bracketDesignChecks();

// A check is met while the stress's magnitude stays below its limit; a
// compressive stress is judged by its size like a tensile one.
bool meetsLimit(double stress, double limit);

using BracketVerdicts = Verdicts;

// Judges the checks in order; a field that is not a number stops the
// judgement at its row.
BracketVerdicts judgeBracket(const FieldTexts& fields, NumberFormat format);

// Where the fixed strengths do not hold for these inputs, one sentence each:
// a plate (t1, t2 or ts) thicker than 16 mm, a steel grade other than Q235B.
// They change no verdict. Empty when the strengths hold, and for a thickness
// that does not read as a number (the calculation reports that one).
std::vector<std::string> strengthCaveats(const FieldTexts& fields, NumberFormat format);
