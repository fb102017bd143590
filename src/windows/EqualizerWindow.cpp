#include "EqualizerWindow.h"

#include "button/SkinButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <cmath>

namespace zendrix {

namespace {

// The sliders count tenths of a dB.
constexpr double kSteps = 10.0;
constexpr int kLabelHeight = 14;

int sliderValue(double level)
{
    return int(std::lround(level * kSteps));
}

QString frequencyText(double hertz)
{
    if (hertz >= 1000)
        return QStringLiteral("%1k").arg(hertz / 1000, 0, 'g', 3);
    return QString::number(std::lround(hertz));
}

QString accessibleFrequency(double hertz)
{
    return hertz >= 1000 ? QStringLiteral("%1 kHz").arg(hertz / 1000, 0, 'g', 3)
                         : QStringLiteral("%1 Hz").arg(std::lround(hertz));
}

QLabel* levelLabel(QWidget* parent, const QRect& rect, const QString& text)
{
    const layouts::EqualizerWindow& layout = layouts::frmEqualizer();
    auto* label = new QLabel(text, parent);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setFont(layoutFont(layout.levelFont));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, layout.levelColor);
    label->setPalette(colours);
    return label;
}

} // namespace

QString EqualizerWindow::levelText(double level)
{
    const double tenths = std::round(level * kSteps) / kSteps;
    if (tenths == 0)
        return QStringLiteral("0");
    return QStringLiteral("%1%2").arg(tenths > 0 ? QStringLiteral("+") : QString()).arg(tenths, 0, 'f', 1);
}

EqualizerWindow::EqualizerWindow(EngineAudio& audio)
    : Form(layouts::frmEqualizer().window, Kind::Secondary), m_equalizer(audio)
{
    const layouts::EqualizerWindow& layout = layouts::frmEqualizer();
    imgBack = new ImageBox(this, layout.imgBack.rect, ImageBox::Fit::Stretch);
    imgBack->setObjectName(layout.imgBack.name);
    new BoundLabel(this, layout.lblEqualizer);
    cmdExit = makeButton(this, layout.cmdExit);
    connect(cmdExit, &SkinButton::Click, this, &QWidget::hide);

    chkEnabled = new QCheckBox(layout.chkEnabled.caption, this);
    chkEnabled->setObjectName(layout.chkEnabled.name);
    chkEnabled->setGeometry(layout.chkEnabled.rect);
    chkEnabled->setFont(layoutFont(layout.chkEnabled.font));
    QPalette colours = chkEnabled->palette();
    colours.setColor(QPalette::WindowText, layout.chkEnabled.foreground);
    chkEnabled->setPalette(colours);
    connect(chkEnabled, &QCheckBox::toggled, this, [this](bool on) { m_equalizer.setEnabled(on); });

    auto* presetLabel = new BoundLabel(this, layout.lblPreset);
    cboPreset = new QComboBox(this);
    cboPreset->setObjectName(layout.cboPreset.name);
    cboPreset->setAccessibleName(layout.cboPreset.accessibleName);
    cboPreset->setGeometry(layout.cboPreset.rect);
    cboPreset->setFont(layoutFont(layout.cboPreset.font));
    cboPreset->addItems(m_equalizer.presets());
    cboPreset->setPlaceholderText(QStringLiteral("Custom"));
    presetLabel->setBuddy(cboPreset);
    connect(cboPreset, &QComboBox::activated, this, [this](int index) { m_equalizer.choosePreset(index); });

    cmdReset = makeButton(this, layout.cmdReset);
    connect(cmdReset, &SkinButton::Click, this, [this] { m_equalizer.reset(); });

    // The preamp's column on the left, then after a gap a column for each band.
    const QRect area = layout.sliders;
    const int columnWidth = (area.width() - layout.gap) / (EngineAudio::kBands + 1);
    sldPreamp =
        addSlider(QRect(area.left(), area.top(), columnWidth, area.height()), QStringLiteral("Preamp"),
                  EngineAudio::kMinPreamp, EngineAudio::kMaxPreamp, QStringLiteral("Preamp"));
    connect(sldPreamp, &QSlider::valueChanged, this, [this](int value) {
        m_equalizer.setPreamp(value / kSteps,
                              sldPreamp->isSliderDown() ? Equalizer::Store::Later : Equalizer::Store::Now);
    });
    const std::array<double, EngineAudio::kBands> frequencies = audio.bandFrequencies();
    for (int band = 0; band < EngineAudio::kBands; ++band) {
        const double hertz = frequencies[std::size_t(band)];
        const QRect column(area.left() + layout.gap + (band + 1) * columnWidth, area.top(), columnWidth,
                           area.height());
        QSlider* slider = addSlider(column, accessibleFrequency(hertz), EngineAudio::kMinGain,
                                    EngineAudio::kMaxGain, frequencyText(hertz));
        connect(slider, &QSlider::valueChanged, this, [this, band, slider](int value) {
            m_equalizer.setBand(band, value / kSteps,
                                slider->isSliderDown() ? Equalizer::Store::Later : Equalizer::Store::Now);
        });
        sldBands << slider;
    }
    for (QSlider* slider : std::as_const(sldBands) + QList<QSlider*>{sldPreamp})
        connect(slider, &QSlider::sliderReleased, this, [this] { m_equalizer.store(); });

    m_equalizer.changed = [this] { showSetting(); };
    showSetting();
    // The buttons take every key they are given: Escape comes to the window before them.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::hide);
    chkEnabled->setFocus();
}

QSlider* EqualizerWindow::addSlider(const QRect& column, const QString& name, double low, double high,
                                    const QString& caption)
{
    m_levels << levelLabel(this, QRect(column.left(), column.top(), column.width(), kLabelHeight), QString());
    auto* slider = new QSlider(Qt::Vertical, this);
    slider->setAccessibleName(name);
    slider->setRange(sliderValue(low), sliderValue(high));
    slider->setSingleStep(5);
    slider->setPageStep(30);
    slider->setGeometry(column.left(), column.top() + kLabelHeight, column.width(),
                        column.height() - 2 * kLabelHeight);
    levelLabel(this, QRect(column.left(), column.bottom() + 1 - kLabelHeight, column.width(), kLabelHeight),
               caption);
    // The level label follows the slider while it moves, whoever moved it.
    QLabel* level = m_levels.last();
    connect(slider, &QSlider::valueChanged, level, [level, slider](int value) {
        level->setText(levelText(value / kSteps));
        slider->setAccessibleDescription(level->text() + QStringLiteral(" dB"));
    });
    return slider;
}

void EqualizerWindow::showSetting()
{
    const EqualizerSetting& setting = m_equalizer.setting();
    const QSignalBlocker enabledBlocker(chkEnabled);
    chkEnabled->setChecked(setting.enabled);
    cboPreset->setCurrentIndex(m_equalizer.presetIndex());
    const auto show = [](QSlider* slider, QLabel* label, double level) {
        const QSignalBlocker blocker(slider);
        slider->setValue(sliderValue(level));
        label->setText(levelText(level));
        slider->setAccessibleDescription(label->text() + QStringLiteral(" dB"));
    };
    show(sldPreamp, m_levels.at(0), setting.levels.preamp);
    for (int band = 0; band < EngineAudio::kBands; ++band)
        show(sldBands.at(band), m_levels.at(band + 1), setting.levels.bands[std::size_t(band)]);
}

void EqualizerWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void EqualizerWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void EqualizerWindow::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

} // namespace zendrix
