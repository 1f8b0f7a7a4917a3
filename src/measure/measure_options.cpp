#include "measure/measure_options.h"

#include "settings/decimal_number.h"

#include <QSet>
#include <algorithm>
#include <cmath>

namespace measure {

namespace {

enum class Kind { Flag, Value };

struct OptionEntry {
    const char* name;
    Kind kind;
};

const OptionEntry kOptions[] = {
    { "--settings", Kind::Value },
    { "--serial", Kind::Value },
    { "--channels", Kind::Value },
    { "--rate", Kind::Value },
    { "--time", Kind::Value },
    { "--method", Kind::Value },
    { "--blocks", Kind::Value },
    { "--output", Kind::Value },
    { "--list", Kind::Flag },
    { "--help", Kind::Flag },
    { "--version", Kind::Flag },
};

const OptionEntry* findOption(const QString& name)
{
    for (const OptionEntry& entry : kOptions) {
        if (name == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

QString badValue(const QString& option, const QString& value, const QString& expected)
{
    return QStringLiteral("Неправильное значение %1 '%2': %3").arg(option, value, expected);
}

// A positive number of the form the window reads ("." as the separator).
std::optional<double> positiveNumber(const QString& text)
{
    const std::optional<double> value = settings::parseDecimalNumber(text);
    if (!value || !(*value > 0.0) || !std::isfinite(*value * 1000.0))
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> channelList(const QString& text)
{
    std::vector<int> channels;
    for (const QString& part : text.split(u',')) {
        const QString item = part.trimmed();
        if (item.size() != 1 || item[0] < u'1' || item[0] > u'4')
            return std::nullopt;
        channels.push_back(item[0].unicode() - u'0');
    }
    std::sort(channels.begin(), channels.end());
    channels.erase(std::unique(channels.begin(), channels.end()), channels.end());
    return channels;
}

std::optional<unsigned long long> blockCount(const QString& text)
{
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool ok = false;
    const unsigned long long count = text.toULongLong(&ok, 10);
    if (!ok || count == 0)
        return std::nullopt;
    return count;
}

// Stores one option's value; false with `error` set when the value is bad.
bool applyValue(MeasureOptions& options, const QString& name, const QString& value, QString* error)
{
    if (name == QLatin1String("--settings") || name == QLatin1String("--output") || name == QLatin1String("--serial")) {
        if (value.isEmpty()) {
            *error = badValue(name, value, QStringLiteral("нужно непустое значение"));
            return false;
        }
        QString& target = name == QLatin1String("--settings") ? options.settingsPath
            : name == QLatin1String("--output")               ? options.outputPath
                                                              : options.serial;
        target = value;
    } else if (name == QLatin1String("--channels")) {
        const auto channels = channelList(value);
        if (!channels) {
            *error = badValue(name, value, QStringLiteral("нужны номера каналов 1..4 через запятую"));
            return false;
        }
        options.channels = *channels;
    } else if (name == QLatin1String("--rate") || name == QLatin1String("--time")) {
        const auto number = positiveNumber(value);
        if (!number) {
            *error = badValue(name, value, QStringLiteral("нужно положительное число с точкой"));
            return false;
        }
        (name == QLatin1String("--rate") ? options.adcRateKHz : options.acquisitionSeconds) = *number;
    } else if (name == QLatin1String("--method")) {
        if (value != QLatin1String("sum") && value != QLatin1String("fft")) {
            *error = badValue(name, value, QStringLiteral("нужно sum или fft"));
            return false;
        }
        options.method = value;
    } else if (name == QLatin1String("--blocks")) {
        const auto count = blockCount(value);
        if (!count) {
            *error = badValue(name, value, QStringLiteral("нужно целое число больше нуля"));
            return false;
        }
        options.blocks = *count;
    }
    return true;
}

MeasureOptions usageError(const QString& text)
{
    MeasureOptions options;
    options.action = Action::UsageError;
    options.error = text;
    return options;
}

} // namespace

MeasureOptions parseOptions(const QStringList& arguments)
{
    MeasureOptions options;
    QSet<QString> seen;
    bool list = false, help = false, version = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-h")) {
            help = true;
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        const OptionEntry* option = argument.startsWith(QLatin1String("--")) ? findOption(name) : nullptr;
        if (!option) {
            return usageError(argument.startsWith(u'-') ? QStringLiteral("Неизвестный параметр '%1'").arg(name)
                                                        : QStringLiteral("Лишний аргумент '%1'").arg(argument));
        }
        if (seen.contains(name))
            return usageError(QStringLiteral("Параметр %1 указан дважды").arg(name));
        seen.insert(name);
        if (option->kind == Kind::Flag) {
            if (equals >= 0)
                return usageError(QStringLiteral("Параметр %1 не принимает значения").arg(name));
            list = list || name == QLatin1String("--list");
            help = help || name == QLatin1String("--help");
            version = version || name == QLatin1String("--version");
            continue;
        }
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return usageError(QStringLiteral("Для параметра %1 не указано значение").arg(name));
        }
        QString error;
        if (!applyValue(options, name, value, &error))
            return usageError(error);
    }
    options.action = help ? Action::Help : version ? Action::Version : list ? Action::List : Action::Measure;
    return options;
}

QString helpText()
{
    return QStringLiteral("Использование: zentrix-measure [параметры]\n"
                          "Измеряет каналы АЦП модуля Q47-05, как мультиметр программы Zentrix,\n"
                          "и выводит результаты в формате CSV: строка заголовка, затем по строке\n"
                          "на каждый включённый канал в каждом блоке.\n"
                          "Настройки берутся из того же файла Zentrix.ini, что читает окно; файл\n"
                          "не изменяется. Параметры ниже заменяют настройки файла на один запуск.\n"
                          "\n"
                          "  --settings FILE   другой файл настроек\n"
                          "  --serial S        серийный номер модуля (иначе из файла, иначе первый)\n"
                          "  --channels 1,3    включённые каналы\n"
                          "  --rate KHZ        частота преобразований АЦП, кГц\n"
                          "  --time S          время сбора одного блока, с\n"
                          "  --method sum|fft  метод расчёта\n"
                          "  --blocks N        число блоков (иначе до Ctrl+C или SIGTERM)\n"
                          "  --output FILE     файл для результатов (иначе стандартный вывод)\n"
                          "  --list            показать модули на шине и выйти\n"
                          "  --help            эта справка\n"
                          "  --version         версия программы\n"
                          "\n"
                          "Код возврата: 0 - успешно, 1 - ошибка модуля или измерения,\n"
                          "2 - неправильные параметры.\n");
}

} // namespace measure
