// The Math script reader and the two rewrites of the expression that follow it. Within the
// run's length limit the `def` substitutions give what QString::replace gives, name after
// name from the greatest; beyond it they stop and say how long the text would have grown.
// After the unit suffixes no letter of a unit is left, since every rule's replacement is made
// of digits and signs.

#include "FuzzCheck.h"
#include "ScriptReader.h"

#include <cstddef>
#include <cstdint>

namespace {

// Scripts are typed by hand; a larger input would only measure how long a correct rewrite
// of a huge text takes.
constexpr std::size_t kMaxScriptBytes = 64 * 1024;

// The substitutions as plain replacements, the behaviour the one-pass rewrite keeps.
QString replacedOneByOne(QString expression, const QMap<QString, QString>& substitutions)
{
    for (auto it = substitutions.constEnd(); it != substitutions.constBegin();) {
        --it;
        expression.replace(it.key(), it.value(), Qt::CaseSensitive);
    }
    return expression;
}

bool holdsUnitLetter(const QString& text)
{
    for (const QChar c : text) {
        if (QStringLiteral("HFWAVGMk").contains(c))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kMaxScriptBytes)
        return 0;
    const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const ScriptSettings settings = ScriptReader::read(script);
    const ScriptReader::Expansion expansion = ScriptReader::substituteWithin(
        settings.expression, settings.substitutions, ScriptReader::kMaxExpressionLength);
    if (!expansion.fits) {
        fuzz::check(expansion.length > ScriptReader::kMaxExpressionLength, "a text that does not fit is too long");
        return 0;
    }
    fuzz::check(expansion.length == expansion.text.size(), "a text that fits has the length told");
    fuzz::check(expansion.text == replacedOneByOne(settings.expression, settings.substitutions),
                "the substitutions give what replacing name by name gives");
    fuzz::check(!holdsUnitLetter(ScriptReader::replaceUnits(expansion.text)), "every unit suffix is rewritten");
    return 0;
}
