#pragma once

#include "FormWidgets.h"
#include "core/MediaEngine.h"

namespace zendrix {

// The size text of the information window: bytes / 1048576 x 100, rounded halves to even, / 100, in the
// shortest form with the locale's decimal separator, then " MB" ("5242880" -> "5 MB", "1500000" ->
// "1.43 MB"). A text that is not a number throws Failure("Type mismatch").
QString megabytesText(const QString& bytes);

// The media information window `frmInfo`: title, artist, album, genre and size of what the engine has
// loaded. It keeps nothing but its label texts.
class InfoWindow : public Form
{
    Q_OBJECT
public:
    explicit InfoWindow(MediaEngine& engine);

    // Refreshes the five values from the engine, each step on its own: a value the engine cannot give
    // leaves its label as it was. Runs also while the window is hidden.
    void GetInfo();

    ImageBox* imgBack = nullptr;
    LabelControl lblTitle{QStringLiteral("N/A")};
    LabelControl lblAuthor{QStringLiteral("N/A")};
    LabelControl lblAlbum{QStringLiteral("N/A")};
    LabelControl lblGenre{QStringLiteral("N/A")};
    LabelControl lblSize{QStringLiteral("N/A")};

private:
    MediaEngine& m_engine;
};

}  // namespace zendrix
