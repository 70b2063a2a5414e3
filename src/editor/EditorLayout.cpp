#include "editor/EditorLayout.h"

#include "controls/TKnob.h"
#include "controls/TSlider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <map>
#include <numeric>
#include <stdexcept>
#include <string>

namespace sondrake::editor {

namespace {

    // Where the group boxes stand on their page: rows from top to bottom,
    // boxes from left to right with their widths. A row is as high as its
    // tallest box needs.
    struct BoxPlace {
        std::string_view group;
        int width;
    };
    struct PageRow {
        std::vector<BoxPlace> boxes;
    };
    struct PagePlan {
        std::string_view tab;
        std::vector<PageRow> rows;
    };

    const std::vector<PagePlan>& pagePlans()
    {
        static const std::vector<PagePlan> plans {
            { "Oscillators",
                {
                    { { { "Oscillator 1", 249 }, { "Oscillator 2", 249 }, { "Oscillator 3", 249 } } },
                    { { { "Oscillators Common", 531 }, { "Noise & Ring", 216 } } },
                } },
            { "Filter & LFOs & Envelopes",
                {
                    { { { "Filter", 285 }, { "LFO 1", 231 }, { "LFO 2", 231 } } },
                    { { { "Amp Envelope", 212 }, { "Mod Envelope", 212 }, { "Envelope 3", 110 },
                        { "Velocity", 213 } } },
                } },
            { "Arpeggiator",
                {
                    { { { "Arpeggiator", 431 }, { "Sync", 316 } } },
                    { { { "Wheels", 747 } } },
                    { { { "Aftertouch & Breath", 563 }, { "Pan", 184 } } },
                } },
        };
        return plans;
    }

    // Short names for the controls that carry no caption of their own.
    const std::map<std::string_view, std::string_view>& shortNames()
    {
        static const std::map<std::string_view, std::string_view> names {
            { "cmbOsc1Forms", "Waveform" },
            { "cmbOsc2Forms", "Waveform" },
            { "cmbOsc3Forms", "Waveform" },
            { "cmbOsc1Octave", "Octave" },
            { "cmbOsc2Octave", "Octave" },
            { "cmbOsc3Octave", "Octave" },
            { "cmbUnison", "Unison" },
            { "cmbOscPolyMode", "Poly Mode" },
            { "cmbPortaMode", "Porta Mode" },
            { "cmbFixedNote", "Fixed Note" },
            { "cmbNoisetype", "Noise Type" },
            { "cmbFilterSlope", "Slope" },
            { "cmbFilterType", "Type" },
            { "cmblfo1Triggering", "Triggering" },
            { "cmblfo2Triggering", "Triggering" },
            { "cmbLfo1Waveform", "Waveform" },
            { "cmbLfo2Waveform", "Waveform" },
            { "sldAmpAttack", "Attack" },
            { "sldAmpDecay", "Decay" },
            { "sldAmpSustain", "Sustain" },
            { "sldAmpRelease", "Release" },
            { "sldModEnvAttack", "Attack" },
            { "sldModEnvDecay", "Decay" },
            { "sldModEnvSustain", "Sustain" },
            { "sldModEnvRelease", "Release" },
            { "sldEnv3Attack", "Attack" },
            { "sldEnv3Decay", "Decay" },
            { "sldVelocityAmp", "Amp" },
            { "sldVelocityModEnv", "ModEnv" },
            { "sldVelocityADEnv", "ADEnv" },
            { "cmbAmpEnvMonotrig", "Amp Trig" },
            { "cmbMEnvMonotrig", "ModEnv Trig" },
            { "cmbADEnvMonotrig", "ADEnv Trig" },
            { "cmbArpOctaves", "Octaves" },
            { "cmbArpMode", "Mode" },
            { "cmbArpPattern", "Pattern" },
            { "cmbArpNotes", "Notes" },
            { "cmbSynctype", "Sync Type" },
            { "cmbLFO1SyncDelayTime", "LFO1 Delay" },
            { "cmbLFO1SyncSpeed", "LFO1 Speed" },
            { "cmbLFO2SyncDelayTime", "LFO2 Delay" },
            { "cmbLFO2SyncSpeed", "LFO2 Speed" },
            { "cmbDelaySyncTime", "Delay Time" },
            { "cmbChorusPhaserSyncTime", "Chorus/Phaser" },
            { "cmbPanningSyncTime", "Panning" },
            { "cmbPanInitialStartPosition", "Pan Start" },
            { "cmbCHorusInitialStartPOsition", "Chorus Start" },
        };
        return names;
    }

    QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

    // Geometry of the cells (pixels).
    constexpr int kRSize = 15; // the "R" buttons
    constexpr int kRGap = 1;
    constexpr int kKnobW = 32;
    constexpr int kKnobH = 48;
    constexpr int kCaptionH = 14; // the knob's caption label stands this far above it
    constexpr int kSliderW = 22;
    constexpr int kSliderH = 100;
    constexpr int kLabelH = 14;
    constexpr int kComboH = 21;
    constexpr int kCheckH = 20;
    constexpr int kPad = 8; // between neighbouring cells
    constexpr int kBoxTop = 18; // below the group box title
    constexpr int kBoxSide = 6;
    constexpr int kBoxBottom = 4;
    constexpr int kRowGap = 3;

    QFont captionFont()
    {
        // The painted controls draw their captions in a 10-pixel font.
        QFont font;
        font.setPixelSize(10);
        return font;
    }

    // One cell of a group box: a control with what belongs to it.
    struct Cell {
        ControlRow* row = nullptr;
        int width = 0;
        int height = 0;
        int lead = 0; // knob/slider: x of the control inside the cell
    };

    int rWidth(const ControlRow& row) { return row.rButton ? kRGap + kRSize : 0; }

    Cell measure(ControlRow& row, const QFontMetrics& body, const QFontMetrics& caption)
    {
        Cell c;
        c.row = &row;
        switch (row.entry->kind) {
        case ControlKind::Knob:
        case ControlKind::Slider: {
            const bool knob = row.entry->kind == ControlKind::Knob;
            const int controlW = knob ? kKnobW : kSliderW;
            const int textW = knob ? caption.horizontalAdvance(qs(row.entry->caption)) + 1
                                   : body.horizontalAdvance(row.label->text()) + 1;
            // The text is centred on the control; the R button stands right of it.
            c.lead = std::max(0, (textW + 1) / 2 - controlW / 2);
            const int right = std::max(controlW / 2 + (textW + 1) / 2, controlW + rWidth(row));
            // Sliders stand closer: their labels are short.
            c.width = c.lead + right + (knob ? kPad : kPad / 2);
            c.height = (knob ? kCaptionH + kKnobH : kLabelH + kSliderH) + kRowGap;
            break;
        }
        case ControlKind::List: {
            int itemW = 0;
            for (int i = 0; i < row.list->count(); ++i)
                itemW = std::max(itemW, body.horizontalAdvance(row.list->itemText(i)));
            const int comboW = std::max(44, itemW + 28);
            row.list->setFixedSize(comboW, kComboH);
            c.width = std::max(body.horizontalAdvance(row.label->text()) + 1, comboW + rWidth(row)) + kPad;
            c.height = kLabelH + kComboH + kRowGap;
            break;
        }
        case ControlKind::CheckBox: {
            const int checkW = row.check->sizeHint().width() + 2;
            row.check->setFixedSize(checkW, kCheckH);
            c.width = checkW + rWidth(row) + kPad;
            c.height = kCheckH + kRowGap;
            break;
        }
        }
        return c;
    }

    // The most columns whose widest cells still fit side by side.
    std::vector<int> fitColumns(const std::vector<Cell>& cells, int available)
    {
        for (int cols = int(cells.size()); cols >= 1; --cols) {
            std::vector<int> widths(std::size_t(cols), 0);
            for (std::size_t i = 0; i < cells.size(); ++i)
                widths[i % std::size_t(cols)] = std::max(widths[i % std::size_t(cols)], cells[i].width);
            const int total = std::accumulate(widths.begin(), widths.end(), 0);
            if (total <= available || cols == 1) {
                // Share what is left, so the columns spread over the box.
                const int spare = std::max(0, available - total);
                for (std::size_t j = 0; j < widths.size(); ++j)
                    widths[j] += spare / cols + (int(j) < spare % cols ? 1 : 0);
                return widths;
            }
        }
        return {};
    }

    void placeCell(const Cell& c, int x, int y, int cellHeight)
    {
        ControlRow& row = *c.row;
        switch (row.entry->kind) {
        case ControlKind::Knob: {
            const int kx = x + c.lead;
            const int ky = y + kCaptionH;
            row.knob->move(kx, ky);
            if (row.rButton)
                row.rButton->move(kx + kKnobW + kRGap, ky + 17);
            break;
        }
        case ControlKind::Slider: {
            const int sx = x + c.lead;
            const int sy = y + kLabelH;
            const int textW = row.label->fontMetrics().horizontalAdvance(row.label->text()) + 1;
            row.label->setGeometry(sx + kSliderW / 2 - textW / 2, y, textW, kLabelH);
            row.slider->move(sx, sy);
            if (row.rButton)
                row.rButton->move(sx + kSliderW + kRGap, sy + 42);
            break;
        }
        case ControlKind::List: {
            const int textW = row.label->fontMetrics().horizontalAdvance(row.label->text()) + 1;
            row.label->setGeometry(x, y, textW, kLabelH);
            row.list->move(x, y + kLabelH);
            if (row.rButton)
                row.rButton->move(x + row.list->width() + kRGap, y + kLabelH + (kComboH - kRSize) / 2);
            break;
        }
        case ControlKind::CheckBox: {
            // Bottom-aligned, so a check box beside lists lines up with the lists.
            const int cy = y + cellHeight - kRowGap - kCheckH;
            row.check->move(x, cy);
            if (row.rButton)
                row.rButton->move(x + row.check->width() + kRGap, cy + (kCheckH - kRSize) / 2);
            break;
        }
        }
    }

    // Places cells in a grid of fitted columns from (x, y); returns the height used.
    int placeGrid(const std::vector<Cell>& cells, int x, int y, int available)
    {
        if (cells.empty())
            return 0;
        const std::vector<int> widths = fitColumns(cells, available);
        const std::size_t cols = widths.size();
        int top = y;
        for (std::size_t start = 0; start < cells.size(); start += cols) {
            const std::size_t end = std::min(cells.size(), start + cols);
            int h = 0;
            for (std::size_t i = start; i < end; ++i)
                h = std::max(h, cells[i].height);
            int cx = x;
            for (std::size_t i = start; i < end; ++i) {
                placeCell(cells[i], cx, top, h);
                cx += widths[i - start];
            }
            top += h;
        }
        return top - y;
    }

    // Lays out the controls of one box; returns the box height they need.
    int layoutBox(std::vector<ControlRow*>& rows, int boxWidth, const QFontMetrics& body)
    {
        const QFontMetrics caption(captionFont());
        std::vector<Cell> dials;
        std::vector<Cell> lists;
        std::vector<Cell> checks;
        for (ControlRow* row : rows) {
            Cell c = measure(*row, body, caption);
            switch (row->entry->kind) {
            case ControlKind::Knob:
            case ControlKind::Slider:
                dials.push_back(c);
                break;
            case ControlKind::List:
                lists.push_back(c);
                break;
            case ControlKind::CheckBox:
                checks.push_back(c);
                break;
            }
        }
        // The last cell's trailing gap may reach into the box's margin.
        const int available = boxWidth - 2 * kBoxSide + kPad;
        int y = kBoxTop;
        y += placeGrid(dials, kBoxSide, y, available);
        y += placeGrid(lists, kBoxSide, y, available);
        y += placeGrid(checks, kBoxSide, y, available);
        return y + kBoxBottom;
    }

} // namespace

QString literalText(std::string_view text)
{
    QString s = qs(text);
    s.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return s;
}

QString displayLabel(const ParameterEntry& entry)
{
    if (!entry.caption.empty())
        return qs(entry.caption);
    const auto& names = shortNames();
    if (auto it = names.find(entry.control); it != names.end())
        return qs(it->second);
    // A name without a short form: drop the kind prefix.
    std::string_view name = entry.control;
    for (std::string_view prefix : { "Knob", "knob", "cmb", "sld", "ckb" }) {
        if (name.substr(0, prefix.size()) == prefix) {
            name.remove_prefix(prefix.size());
            break;
        }
    }
    return qs(name);
}

const ControlRow* ParameterPages::rowFor(const QObject* control) const
{
    auto it = byObject_.constFind(control);
    return it == byObject_.constEnd() ? nullptr : &rows[std::size_t(*it)];
}

const ControlRow* ParameterPages::rowFor(std::string_view controlName) const
{
    auto it = byName_.constFind(qs(controlName));
    return it == byName_.constEnd() ? nullptr : &rows[std::size_t(*it)];
}

const ControlRow* ParameterPages::rowFor(const ParameterEntry* entry) const
{
    auto it = byEntry_.constFind(entry);
    return it == byEntry_.constEnd() ? nullptr : &rows[std::size_t(*it)];
}

void ParameterPages::index()
{
    byObject_.clear();
    byName_.clear();
    byEntry_.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        byObject_.insert(rows[i].widget, int(i));
        byName_.insert(qs(rows[i].entry->control), int(i));
        byEntry_.insert(rows[i].entry, int(i));
    }
}

void buildParameterPages(QTabWidget* tabs, QSize pageSize, ParameterPages& pages)
{
    const auto map = parameterMap();
    pages.rows.clear();
    pages.rows.reserve(map.size());

    // Pages and boxes first, in plan order.
    std::map<std::string, QGroupBox*> boxes;
    std::map<std::string, QWidget*> pageOf;
    for (const PagePlan& plan : pagePlans()) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("ts") + qs(plan.tab).remove(QLatin1Char(' ')).remove(QLatin1Char('&')));
        tabs->addTab(page, literalText(plan.tab));
        pages.pages.push_back(page);
        for (const PageRow& r : plan.rows) {
            for (const BoxPlace& b : r.boxes) {
                auto* box = new QGroupBox(literalText(b.group), page);
                box->setObjectName(QStringLiteral("grp") + qs(b.group).remove(QLatin1Char(' ')).remove(QLatin1Char('&')));
                boxes[std::string(b.group)] = box;
                pageOf[std::string(b.group)] = page;
                pages.groups.push_back(box);
            }
        }
    }

    const QFontMetrics body(tabs->font());
    std::map<QGroupBox*, std::vector<std::size_t>> members;
    QHash<QString, int> seen;
    for (const ParameterEntry& entry : map) {
        auto boxIt = boxes.find(std::string(entry.group));
        if (boxIt == boxes.end())
            throw std::runtime_error("no group box \"" + std::string(entry.group) + "\" for " + std::string(entry.control));
        QGroupBox* box = boxIt->second;
        const QString name = qs(entry.control);
        if (seen.contains(name))
            throw std::runtime_error("control " + std::string(entry.control) + " appears twice");
        seen.insert(name, 1);

        ControlRow row;
        row.entry = &entry;
        row.group = box;
        switch (entry.kind) {
        case ControlKind::Knob: {
            auto* knob = new controls::TKnob(box);
            knob->setObjectName(name);
            // Range first, so the position is checked against the row's range.
            if (entry.maximum <= knob->Min()) {
                knob->setMin(entry.minimum);
                knob->setMax(entry.maximum);
            } else {
                knob->setMax(entry.maximum);
                knob->setMin(entry.minimum);
            }
            // A knob starts in the middle of 0..127; where that lies outside
            // its own range (Mixer Out, Tempo) it would show, and send when
            // painted, a value the parameter cannot take.
            knob->setPosition(std::clamp(knob->Position(), entry.minimum, entry.maximum));
            knob->setCaption(qs(entry.caption));
            row.knob = knob;
            row.widget = knob;
            break;
        }
        case ControlKind::Slider: {
            auto* slider = new controls::TSlider(box);
            slider->setObjectName(name);
            slider->setMin(entry.minimum);
            slider->setMax(entry.maximum);
            row.slider = slider;
            row.widget = slider;
            row.label = new QLabel(displayLabel(entry), box);
            break;
        }
        case ControlKind::List: {
            auto* list = new QComboBox(box);
            list->setObjectName(name);
            list->setMaxVisibleItems(20);
            QStringList items;
            items.reserve(qsizetype(entry.items.size()));
            for (std::string_view item : entry.items)
                items.append(qs(item));
            list->addItems(items);
            list->setCurrentIndex(-1);
            row.list = list;
            row.widget = list;
            row.label = new QLabel(displayLabel(entry), box);
            row.label->setBuddy(list);
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(literalText(entry.caption), box);
            check->setObjectName(name);
            row.check = check;
            row.widget = check;
            break;
        }
        }
        if (entry.rButton != 0) {
            if (entry.rButton < 1 || entry.rButton > 99 || pages.rButtons[std::size_t(entry.rButton)])
                throw std::runtime_error("R button " + std::to_string(entry.rButton) + " of "
                    + std::string(entry.control) + " is out of range or taken");
            auto* r = new QPushButton(QStringLiteral("R"), box);
            r->setObjectName(QStringLiteral("BitBtn") + QString::number(entry.rButton));
            r->setFixedSize(kRSize, kRSize);
            r->setAutoDefault(false);
            r->setFocusPolicy(Qt::NoFocus);
            r->setToolTip(QStringLiteral("Allowed values of ") + displayLabel(entry));
            QFont f = r->font();
            f.setPixelSize(9);
            r->setFont(f);
            pages.rButtons[std::size_t(entry.rButton)] = r;
            row.rButton = r;
        }
        members[box].push_back(pages.rows.size());
        pages.rows.push_back(row);
    }

    // Now place: every box lays out its own controls, then the page rows.
    for (const PagePlan& plan : pagePlans()) {
        int y = 2;
        for (const PageRow& r : plan.rows) {
            int rowHeight = 0;
            std::vector<std::pair<QGroupBox*, int>> placed;
            for (const BoxPlace& b : r.boxes) {
                QGroupBox* box = boxes[std::string(b.group)];
                std::vector<ControlRow*> inBox;
                for (std::size_t i : members[box])
                    inBox.push_back(&pages.rows[i]);
                rowHeight = std::max(rowHeight, layoutBox(inBox, b.width, body));
                placed.emplace_back(box, b.width);
            }
            int x = 2;
            for (auto& [box, width] : placed) {
                box->setGeometry(x, y, width, rowHeight);
                x += width;
            }
            if (x > pageSize.width() + 2)
                throw std::runtime_error("the boxes of tab \"" + std::string(plan.tab) + "\" are too wide");
            y += rowHeight + 2;
        }
        if (y > pageSize.height() + 2)
            throw std::runtime_error("the boxes of tab \"" + std::string(plan.tab) + "\" are too high");
    }
    pages.index();
}

} // namespace sondrake::editor
