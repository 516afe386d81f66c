#pragma once

// What a screen reader is told about a read-only field (a result, or fixed
// information such as the electrode): text it can read and select, never
// text it can edit. Qt's own line-edit interface reports such a field
// editable and offers to change its text; this one does neither.
// Installed once for the whole program.
void installReadOnlyFieldAccessibility();
