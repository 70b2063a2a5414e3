#include "editor/EditorLayout.h"

#include "controls/Knob.h"
#include "controls/Slider.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <numeric>
#include <string>

namespace sondrake::editor {

namespace {

    QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

    // The parameter map marks its captions for the translator in the context
    // "ParameterMap" and keeps them English, as schemas and searches match
    // them; they are translated only here, where they are shown.
    QString shown(std::string_view text)
    {
        const std::string source(text);
        return QCoreApplication::translate("ParameterMap", source.c_str());
    }

    // Geometry of the cells (pixels). The painted controls and the "R"
    // buttons have fixed sizes; everything else follows the fonts.
    constexpr int kRSize = 15; // the "R" buttons
    constexpr int kRGap = 3; // leaves room for the control's focus ring
    constexpr int kRing = 2; // the focus ring around a painted control
    constexpr int kLabelH = 14; // least height of a label above a control
    constexpr int kComboH = 21; // least height of a list
    constexpr int kCheckH = 20;
    constexpr int kPad = 8; // between neighbouring cells
    constexpr int kSliderPad = 4; // sliders stand closer: their labels are short
    constexpr int kBoxSide = 6;
    constexpr int kBoxBottom = 4;
    constexpr int kRowGap = 3;
    // The widths of the boxes below are meant for this font size; larger
    // fonts widen the boxes in proportion.
    constexpr int kPlanFontPixels = 11;

    int labelHeight(const QFontMetrics& fm) { return std::max(kLabelH, fm.height()); }

    // One control with what belongs to it: the text above it (a knob's own
    // caption label, or the label the editor adds to sliders and lists) and
    // the "R" button beside it. The cell keeps these together as the group's
    // grid moves it, and reports the room they need so no text is cut.
    class ParameterCell : public QWidget {
    public:
        explicit ParameterCell(QWidget* parent)
            : QWidget(parent)
        {
            setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        }

        // The parts, made with this cell as their parent.
        void setParts(const ControlRow& row)
        {
            m_kind = row.entry->kind;
            m_control = row.widget;
            m_label = row.label;
            m_r = row.rButton;
            resize(sizeHint());
            place();
            updateGeometry();
        }

        QSize sizeHint() const override { return m_control ? compute().size : QSize(); }
        QSize minimumSizeHint() const override { return sizeHint(); }

    protected:
        void resizeEvent(QResizeEvent* event) override
        {
            QWidget::resizeEvent(event);
            place();
        }

    private:
        struct Geometry {
            QSize size;
            QRect control;
            QRect label;
            QPoint r;
        };

        int rWidth() const { return m_r ? kRGap + kRSize : 0; }

        Geometry compute() const
        {
            Geometry g;
            switch (m_kind) {
            case ControlKind::Knob:
            case ControlKind::Slider: {
                const bool knob = m_kind == ControlKind::Knob;
                const QSize control = m_control->size();
                QSize text;
                if (knob) {
                    text = static_cast<controls::PaintedControl*>(m_control)->captionSize();
                } else {
                    const QFontMetrics fm = m_label->fontMetrics();
                    text = QSize(fm.horizontalAdvance(m_label->text()) + 1, labelHeight(fm));
                }
                // The text is centred on the control; the R button stands right of it.
                const int lead = std::max(kRing, (text.width() + 1) / 2 - control.width() / 2);
                const int right = std::max({ control.width() / 2 + (text.width() + 1) / 2,
                    control.width() + rWidth(), control.width() + kRing });
                g.size = QSize(lead + right, text.height() + control.height() + kRing);
                g.control = QRect(QPoint(lead, text.height()), control);
                g.label = QRect(lead + control.width() / 2 - text.width() / 2, 0, text.width(), text.height());
                g.r = QPoint(g.control.right() + 1 + kRGap, g.control.top() + (knob ? 17 : 42));
                break;
            }
            case ControlKind::List: {
                const QFontMetrics fm = m_label->fontMetrics();
                const int textH = labelHeight(fm);
                const QSize list = m_control->minimumSize();
                g.size = QSize(std::max(fm.horizontalAdvance(m_label->text()) + 1, list.width() + rWidth()),
                    textH + list.height());
                g.label = QRect(0, 0, g.size.width(), textH);
                g.control = QRect(QPoint(0, textH), list);
                g.r = QPoint(g.control.right() + 1 + kRGap, g.control.top() + (list.height() - kRSize) / 2);
                break;
            }
            case ControlKind::CheckBox: {
                const QSize check = m_control->minimumSize();
                g.size = QSize(check.width() + rWidth(), check.height());
                g.control = QRect(QPoint(0, 0), check);
                g.r = QPoint(g.control.right() + 1 + kRGap, (check.height() - kRSize) / 2);
                break;
            }
            }
            return g;
        }

        void place()
        {
            if (!m_control)
                return;
            const Geometry g = compute();
            // A knob places its own caption above itself.
            m_control->setGeometry(g.control);
            if (m_label)
                m_label->setGeometry(g.label);
            if (m_r)
                m_r->move(g.r);
        }

        ControlKind m_kind = ControlKind::Knob;
        QWidget* m_control = nullptr;
        QLabel* m_label = nullptr;
        QPushButton* m_r = nullptr;
    };

    // The most columns whose widest cells still fit side by side.
    int fitColumns(const std::vector<int>& widths, int spacing, int available)
    {
        for (int cols = int(widths.size()); cols > 1; --cols) {
            std::vector<int> columns(std::size_t(cols), 0);
            for (std::size_t i = 0; i < widths.size(); ++i)
                columns[i % std::size_t(cols)] = std::max(columns[i % std::size_t(cols)], widths[i]);
            const int total = std::accumulate(columns.begin(), columns.end(), 0) + spacing * (cols - 1);
            if (total <= available)
                return cols;
        }
        return 1;
    }

    // One section of a group box (its knobs and sliders, its lists, its
    // check boxes) as a grid of as many columns as the box's width allows.
    QGridLayout* sectionGrid(const std::vector<ParameterCell*>& cells, int spacing, int available)
    {
        auto* grid = new QGridLayout;
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setHorizontalSpacing(spacing);
        grid->setVerticalSpacing(kRowGap);
        std::vector<int> widths;
        for (ParameterCell* c : cells)
            widths.push_back(c->sizeHint().width());
        const int cols = fitColumns(widths, spacing, available);
        for (std::size_t i = 0; i < cells.size(); ++i)
            grid->addWidget(cells[i], int(i) / cols, int(i) % cols, Qt::AlignLeft | Qt::AlignBottom);
        // Spare width is shared, so the columns spread over the box.
        for (int c = 0; c < cols; ++c)
            grid->setColumnStretch(c, 1);
        return grid;
    }

    int sectionOf(ControlKind kind)
    {
        switch (kind) {
        case ControlKind::Knob:
        case ControlKind::Slider:
            return 0;
        case ControlKind::List:
            return 1;
        case ControlKind::CheckBox:
            return 2;
        }
        return 0;
    }

} // namespace

QString literalText(std::string_view text)
{
    QString s = shown(text);
    s.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return s;
}

QString displayLabel(const ParameterEntry& entry) { return shown(entry.label()); }

const ControlRow* ParameterPages::rowFor(const QObject* control) const
{
    auto it = m_byObject.constFind(control);
    return it == m_byObject.constEnd() ? nullptr : &rows[std::size_t(*it)];
}

const ControlRow* ParameterPages::rowFor(std::string_view controlName) const
{
    auto it = m_byName.constFind(qs(controlName));
    return it == m_byName.constEnd() ? nullptr : &rows[std::size_t(*it)];
}

const ControlRow* ParameterPages::rowFor(const ParameterEntry* entry) const
{
    auto it = m_byEntry.constFind(entry);
    return it == m_byEntry.constEnd() ? nullptr : &rows[std::size_t(*it)];
}

void ParameterPages::index()
{
    m_byObject.clear();
    m_byName.clear();
    m_byEntry.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        m_byObject.insert(rows[i].widget, int(i));
        m_byName.insert(qs(rows[i].entry->control), int(i));
        m_byEntry.insert(rows[i].entry, int(i));
    }
}

QString accessibleLabel(const ParameterEntry& entry)
{
    return shown(entry.group) + QLatin1Char(' ') + displayLabel(entry);
}

void buildParameterPages(QTabWidget* tabs, ParameterPages& pages)
{
    const auto map = parameterMap();
    pages.rows.clear();
    pages.rows.reserve(map.size());

    // Pages and boxes first: tabs in the order their first rows come, on
    // each tab the lines of boxes from the top, boxes from the left in the
    // order of their first rows.
    struct BoxPlace {
        std::string_view group;
        int width;
    };
    struct Page {
        std::string_view tab;
        std::map<int, std::vector<BoxPlace>> lines;
    };
    std::vector<Page> plan;
    std::map<std::string_view, QGroupBox*> boxes;
    for (const ParameterEntry& entry : map) {
        if (boxes.count(entry.group))
            continue;
        boxes[entry.group] = nullptr;
        auto page = std::find_if(plan.begin(), plan.end(), [&](const Page& p) { return p.tab == entry.tab; });
        if (page == plan.end())
            page = plan.insert(plan.end(), Page { entry.tab, {} });
        page->lines[entry.boxLine].push_back({ entry.group, entry.boxWidth });
    }
    std::map<QGroupBox*, int> planWidth;
    for (const Page& plannedPage : plan) {
        auto* page = new QWidget;
        page->setObjectName(
            QStringLiteral("ts") + qs(plannedPage.tab).remove(QLatin1Char(' ')).remove(QLatin1Char('&')));
        tabs->addTab(page, literalText(plannedPage.tab));
        pages.pages.push_back(page);
        auto* column = new QVBoxLayout(page);
        column->setContentsMargins(2, 2, 2, 2);
        column->setSpacing(2);
        for (const auto& [line, places] : plannedPage.lines) {
            auto* row = new QHBoxLayout;
            row->setSpacing(0);
            for (const BoxPlace& b : places) {
                auto* box = new QGroupBox(literalText(b.group), page);
                box->setObjectName(
                    QStringLiteral("grp") + qs(b.group).remove(QLatin1Char(' ')).remove(QLatin1Char('&')));
                boxes[b.group] = box;
                planWidth[box] = b.width;
                pages.groups.push_back(box);
                row->addWidget(box, b.width);
            }
            column->addLayout(row);
        }
        column->addStretch(1);
    }

    std::map<QGroupBox*, std::vector<const ParameterEntry*>> members;
    for (const ParameterEntry& entry : map)
        members[boxes[entry.group]].push_back(&entry);

    const QFont body = tabs->font();
    const QFontMetrics bodyMetrics(body);
    // Knob captions are a step smaller than the rest of the editor's text.
    QFont caption = body;
    caption.setPixelSize(std::max(9, QFontInfo(body).pixelSize() - 1));
    const double widen = std::max(1.0, double(QFontInfo(body).pixelSize()) / kPlanFontPixels);

    // Widgets are made box by box in the order they stand (knobs and
    // sliders, then lists, then check boxes), so Tab walks them as they are
    // seen; each control is followed by its "R" button.
    std::vector<ControlRow> made;
    for (QGroupBox* box : pages.groups) {
        std::array<std::vector<ParameterCell*>, 3> sections;
        std::vector<const ParameterEntry*> ordered = members[box];
        std::stable_sort(ordered.begin(), ordered.end(),
            [](const ParameterEntry* a, const ParameterEntry* b) { return sectionOf(a->kind) < sectionOf(b->kind); });
        for (const ParameterEntry* e : ordered) {
            const ParameterEntry& entry = *e;
            const QString name = qs(entry.control);
            auto* cell = new ParameterCell(box);
            cell->setObjectName(QStringLiteral("cell") + name);
            ControlRow row;
            row.entry = &entry;
            row.group = box;
            switch (entry.kind) {
            case ControlKind::Knob: {
                auto* knob = new controls::Knob(cell);
                knob->setObjectName(name);
                // Range first, so the position is checked against the row's range.
                if (entry.maximum <= knob->minimum()) {
                    knob->setMinimum(entry.minimum);
                    knob->setMaximum(entry.maximum);
                } else {
                    knob->setMaximum(entry.maximum);
                    knob->setMinimum(entry.minimum);
                }
                // A knob starts in the middle of 0..127; where that lies outside
                // its own range (Mixer Out, Tempo) it would show, and send when
                // painted, a value the parameter cannot take.
                knob->setValue(std::clamp(knob->value(), entry.minimum, entry.maximum));
                knob->setCaptionFont(caption);
                knob->setCaption(shown(entry.caption));
                row.knob = knob;
                row.widget = knob;
                break;
            }
            case ControlKind::Slider: {
                auto* slider = new controls::Slider(cell);
                slider->setObjectName(name);
                slider->setMinimum(entry.minimum);
                slider->setMaximum(entry.maximum);
                row.slider = slider;
                row.widget = slider;
                row.label = new QLabel(displayLabel(entry), cell);
                row.label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
                break;
            }
            case ControlKind::List: {
                auto* list = new QComboBox(cell);
                list->setObjectName(name);
                list->setMaxVisibleItems(20);
                QStringList items;
                items.reserve(qsizetype(entry.items.size()));
                for (std::string_view item : entry.items)
                    items.append(qs(item));
                list->addItems(items);
                list->setCurrentIndex(-1);
                int itemW = 0;
                for (const QString& item : items)
                    itemW = std::max(itemW, bodyMetrics.horizontalAdvance(item));
                list->setFixedSize(std::max(44, itemW + 28), std::max(kComboH, list->sizeHint().height()));
                row.list = list;
                row.widget = list;
                row.label = new QLabel(displayLabel(entry), cell);
                row.label->setBuddy(list);
                break;
            }
            case ControlKind::CheckBox: {
                auto* check = new QCheckBox(literalText(entry.caption), cell);
                check->setObjectName(name);
                const QSize hint = check->sizeHint();
                check->setFixedSize(hint.width() + 2, std::max(kCheckH, hint.height()));
                row.check = check;
                row.widget = check;
                break;
            }
            }
            row.widget->setAccessibleName(accessibleLabel(entry));
            if (entry.rButton != 0) {
                auto* r = new QPushButton(QStringLiteral("R"), cell);
                r->setObjectName(QStringLiteral("BitBtn") + QString::number(entry.rButton));
                r->setFixedSize(kRSize, kRSize);
                r->setAutoDefault(false);
                r->setToolTip(QCoreApplication::translate("EditorLayout", "Allowed values of %1").arg(displayLabel(entry)));
                r->setAccessibleName(QCoreApplication::translate("EditorLayout", "Allowed values of %1").arg(accessibleLabel(entry)));
                QFont f = r->font();
                f.setPixelSize(9);
                r->setFont(f);
                pages.rButtons[std::size_t(entry.rButton)] = r;
                row.rButton = r;
            }
            cell->setParts(row);
            sections[std::size_t(sectionOf(entry.kind))].push_back(cell);
            made.push_back(row);
        }

        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(kBoxSide, 2, kBoxSide, kBoxBottom);
        column->setSpacing(kRowGap);
        const int available = int(planWidth[box] * widen) - 2 * kBoxSide;
        for (std::size_t i = 0; i < sections.size(); ++i) {
            if (sections[i].empty())
                continue;
            const bool sliders = i == 0 && sections[i].front()->findChild<controls::Slider*>();
            column->addLayout(sectionGrid(sections[i], sliders ? kSliderPad : kPad, available));
        }
        column->addStretch(1);
    }

    // The rows in map order.
    for (const ParameterEntry& entry : map) {
        auto it = std::find_if(made.begin(), made.end(), [&](const ControlRow& r) { return r.entry == &entry; });
        pages.rows.push_back(*it);
    }
    pages.index();
}

} // namespace sondrake::editor
