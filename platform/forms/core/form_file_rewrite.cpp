#include "platform/forms/core/form_file_rewrite.h"

#include "platform/forms/core/intrinsic_class_names.h"
#include "platform/forms/core/property_value_text.h"
#include "platform/forms/core/vb_error.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace forms {

namespace {

// A block's two bags: its property lines and its extender ("@") lines. An intrinsic
// control's place is its own property, so the runtime reads both kinds into one bag and
// writes them as properties; its keys are looked up in both.
struct Bags {
    const PropertyBag* properties = nullptr;
    const PropertyBag* extender = nullptr;
    bool merged = false;

    std::optional<QVariant> find(const QString& key, bool in_extender) const
    {
        const PropertyBag* own = in_extender ? extender : properties;
        const PropertyBag* other = in_extender ? properties : extender;
        if (own && own->contains(key))
            return own->ReadProperty(key);
        if (merged && other && other->contains(key))
            return other->ReadProperty(key);
        return std::nullopt;
    }
};

Bags bags_of(const FormControlData& c) { return {&c.properties, &c.extender, is_intrinsic_class(c.class_name)}; }

bool same_value(const std::optional<QVariant>& a, const std::optional<QVariant>& b)
{
    if (!a || !b)
        return !a && !b;
    return encode_property_value(*a) == encode_property_value(*b);
}

// Controls are told apart by class, name and Index (an element of a control array).
QString identity(const FormControlData& c)
{
    QVariant index = c.extender.contains(QStringLiteral("Index")) ? c.extender.ReadProperty(QStringLiteral("Index"))
                     : c.properties.contains(QStringLiteral("Index"))
                         ? c.properties.ReadProperty(QStringLiteral("Index"))
                         : QVariant(-1);
    return c.class_name.toLower() + QLatin1Char(' ') + c.name.toLower() + QLatin1Char(' ') +
           QString::number(index.toInt());
}

const FormControlData* find_control(const std::vector<FormControlData>& controls, const QString& id)
{
    for (const FormControlData& c : controls)
        if (identity(c) == id)
            return &c;
    return nullptr;
}

bool same_controls(const std::vector<FormControlData>& file, const std::vector<FormControlData>& form)
{
    if (file.size() != form.size())
        return false;
    for (const FormControlData& c : file) {
        const FormControlData* match = find_control(form, identity(c));
        if (!match || !same_controls(c.children, match->children))
            return false;
    }
    return true;
}

// One open block of the walk: its bags in the file, as loaded and as now, and its controls.
struct Block {
    Bags file, loaded, current;
    const std::vector<FormControlData>* file_children = nullptr;
    const std::vector<FormControlData>* loaded_children = nullptr;
    const std::vector<FormControlData>* current_children = nullptr;
    std::size_t next_child = 0;
    QString indent;
    bool indent_seen = false;
    bool added = false;
};

class Rewriter {
public:
    Rewriter(const FormData& file, const FormData& loaded, const FormData& current, QString line_end)
        : file_(file), loaded_(loaded), current_(current), line_end_(std::move(line_end))
    {
    }

    QString run(const QStringList& lines)
    {
        for (const QString& raw : lines)
            take(raw);
        return out_.join(QLatin1Char('\n'));
    }

private:
    void take(const QString& raw)
    {
        const QString line = QString(raw).remove(QLatin1Char('\r')).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || !header_seen_) {
            header_seen_ = header_seen_ || !(line.isEmpty() || line.startsWith(QLatin1Char('#')));
            out_ << raw;
            return;
        }
        const QString indent = raw.left(raw.indexOf(line.at(0)));
        if (line.startsWith(QLatin1String("Begin "))) {
            open_block(indent);
            out_ << raw;
        } else if (line == QLatin1String("End")) {
            add_new_keys();
            blocks_.pop_back();
            out_ << raw;
        } else {
            value_line(raw, line);
        }
    }

    void open_block(const QString& indent)
    {
        Block block;
        if (blocks_.empty()) {
            block.file = {&file_.properties, nullptr, false};
            block.loaded = {&loaded_.properties, nullptr, false};
            block.current = {&current_.properties, nullptr, false};
            block.file_children = &file_.controls;
            block.loaded_children = &loaded_.controls;
            block.current_children = &current_.controls;
        } else {
            add_new_keys();
            Block& parent = blocks_.back();
            const FormControlData& c = (*parent.file_children)[parent.next_child++];
            const FormControlData* loaded = find_control(*parent.loaded_children, identity(c));
            const FormControlData* current = find_control(*parent.current_children, identity(c));
            block.file = bags_of(c);
            block.loaded = bags_of(*loaded);
            block.current = bags_of(*current);
            block.file_children = &c.children;
            block.loaded_children = &loaded->children;
            block.current_children = &current->children;
        }
        block.indent = indent + QStringLiteral("   ");
        blocks_.push_back(block);
    }

    void value_line(const QString& raw, const QString& line)
    {
        Block& block = blocks_.back();
        // Lines added to the block take the indentation of its own values.
        if (!block.indent_seen) {
            block.indent = raw.left(raw.indexOf(line.at(0)));
            block.indent_seen = true;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        QString key = line.left(eq).trimmed();
        const bool in_extender = key.startsWith(QLatin1Char('@'));
        if (in_extender)
            key.remove(0, 1);
        const std::optional<QVariant> loaded = block.loaded.find(key, in_extender);
        const std::optional<QVariant> current = block.current.find(key, in_extender);
        if (!current) {
            // Gone from the form since loading: back at its default. Never written: as it was.
            if (!loaded)
                out_ << raw;
            return;
        }
        if (same_value(loaded, current) || (!loaded && same_value(block.file.find(key, in_extender), current))) {
            out_ << raw;
            return;
        }
        const qsizetype raw_eq = raw.indexOf(QLatin1Char('='));
        out_ << raw.left(raw_eq + 1) + QLatin1Char(' ') + encode_property_value(*current) +
                    (raw.endsWith(QLatin1Char('\r')) ? QStringLiteral("\r") : QString());
    }

    // The keys of the block that changed since loading and that the file does not hold.
    void add_new_keys()
    {
        Block& block = blocks_.back();
        if (block.added)
            return;
        block.added = true;
        for (const bool in_extender : {true, false}) {
            const PropertyBag* bag = in_extender ? block.current.extender : block.current.properties;
            if (!bag)
                continue;
            for (const PropertyBag::Entry& e : bag->entries()) {
                if (block.file.find(e.key, in_extender) || same_value(block.loaded.find(e.key, in_extender), e.value))
                    continue;
                out_ << block.indent + (in_extender ? QStringLiteral("@") : QString()) + e.key + QStringLiteral(" = ") +
                            encode_property_value(e.value) + line_end_;
            }
        }
    }

    const FormData& file_;
    const FormData& loaded_;
    const FormData& current_;
    const QString line_end_;
    std::vector<Block> blocks_;
    QStringList out_;
    bool header_seen_ = false;
};

} // namespace

QString rewrite_form_text(const QString& original, const FormData& loaded, const FormData& current)
{
    FormData file;
    try {
        file = FormFile::parse(original);
    } catch (const VbError&) {
        return FormFile::write(current);
    }
    if (file.name.compare(current.name, Qt::CaseInsensitive) != 0 || !same_controls(file.controls, loaded.controls) ||
        !same_controls(file.controls, current.controls))
        return FormFile::write(current);
    const QStringList lines = original.split(QLatin1Char('\n'));
    const QString line_end = lines.first().endsWith(QLatin1Char('\r')) ? QStringLiteral("\r") : QString();
    QString text = Rewriter(file, loaded, current, line_end).run(lines);
    // What would not read back is not written over the file.
    try {
        FormFile::parse(text);
    } catch (const VbError&) {
        return FormFile::write(current);
    }
    return text;
}

} // namespace forms
