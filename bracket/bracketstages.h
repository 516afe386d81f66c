#pragma once

#include "bracketinputs.h"
#include "fieldsheet.h"

// The bracket check runs in stages on the bracket window's field texts. The
// inputs and the values below travel from one stage to the next; everything
// else travels through the fields.

// Results of the section stage that the stress stage takes over, as read back
// from their fields.
struct RootSection {
    Single M; // moment at the root, kN·m
    Single y; // upper flange centre to the centroidal axis, mm
    Single In; // net moment of inertia, mm⁴
};

// M, V, An, y, S, a, In, Wn1, Wn2 into Text13 … Text21.
RootSection computeRootSection(FieldSheet& sheet, const BracketInputs& in);

// σ, τ, W’n2, S1, σ1, τ1, the equivalent stress and the weld stresses into
// Text22 … Text32.
void computeStresses(FieldSheet& sheet, const BracketInputs& in, const RootSection& root);

// Rewrites Text13 … Text32 as fixed two-decimal text.
void writeTwoDecimalPass(FieldSheet& sheet, const BracketInputs& in);
