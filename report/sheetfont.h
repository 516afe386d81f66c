#pragma once

#include <QFont>
#include <QStringList>

// The sheet's faces: a serif Latin face, then a Ming face for the Chinese.
// Not Noto CJK first: Qt's PDF writer gives glyphs a CJK ideograph shares with
// a radical the radical's code (满⾜, ⼯字型) and drops digits the face
// substitutes in Latin text, so its PDF could not be searched; DejaVu and
// AR PL are plain TrueType.
const QStringList& sheetFamilies();

// Those faces at the sheet's 10.5 pt.
QFont sheetFont();
