#pragma once

#include "FormWidgets.h"
#include "core/Equalizer.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace zendrix {

class SkinButton;

// The equalizer window `frmEqualizer`, over the skin's background as the settings window: "Enabled",
// the engine's presets, the preamp and a vertical slider for each band with its frequency below and its
// level above, and Reset. It shows an Equalizer's setting and hands it every change; it stays open
// while the other windows are used, and the close button or Escape hides it. A press on its background
// moves it.
class EqualizerWindow : public Form
{
    Q_OBJECT
public:
    explicit EqualizerWindow(EngineAudio& audio);

    ImageBox* imgBack = nullptr;
    QCheckBox* chkEnabled = nullptr;
    QComboBox* cboPreset = nullptr;
    QSlider* sldPreamp = nullptr;
    QList<QSlider*> sldBands;
    SkinButton* cmdReset = nullptr;
    SkinButton* cmdExit = nullptr;

    Equalizer& equalizer() { return m_equalizer; }
    // What the level label above a slider says, in dB: "+3.5", "-12.0", "0".
    static QString levelText(double level);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSlider* addSlider(const QRect& column, const QString& name, double low, double high,
                       const QString& caption);
    void showSetting();

    Equalizer m_equalizer;
    QList<QLabel*> m_levels; // the preamp's first
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace zendrix
