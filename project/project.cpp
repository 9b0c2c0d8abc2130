#include "project/project.h"

#include "calc/anchorage.h"
#include "calc/conversions.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace tavrin::project {
namespace {

// The keys of the file.
constexpr QLatin1StringView formatKey("format");
constexpr QLatin1StringView formatName("tavrin-project");
constexpr QLatin1StringView versionKey("version");
constexpr QLatin1StringView projectKey("project");
constexpr QLatin1StringView positionsKey("positions");
constexpr QLatin1StringView nameKey("name");
constexpr QLatin1StringView inputsKey("inputs");
constexpr QLatin1StringView savedKey("saved");
constexpr QLatin1StringView ldKey("ld");
constexpr QLatin1StringView adoptedDepthKey("adoptedDepth");
constexpr QLatin1StringView noticesKey("notices");
constexpr QLatin1StringView refusalKey("refusal");

// The clause a notice of the program's own, which has none, is recorded under.
constexpr QStringView ownNoticeClause = u"本程序";

QString textOf(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A reason the bytes are refused, carried out of the reading to readProject.
struct Refusal {
  QString reason;
};

[[noreturn]] void refuse(const QString &reason) {
  throw Refusal{reason};
}

QString damaged() {
  return QStringLiteral("文件不完整或已损坏");
}

// A line break or other control character becomes the blank it is drawn as, as in a paste into an entry; a
// lone surrogate, which UTF-8 cannot carry, becomes the replacement character it would be written as.
QString asOneLine(const QString &text) {
  QString line = QString::fromUtf8(text.toUtf8());
  std::ranges::replace_if(
      line,
      [](QChar character) {
        return character.category() == QChar::Other_Control || character == QChar::LineSeparator ||
               character == QChar::ParagraphSeparator;
      },
      QChar(u' '));
  return line;
}

// A list's choice as its item text; nothing chosen, which the window never holds, has no item to write.
QString inputValue(const InputState &inputs, const InputField &field) {
  if (field.list == nullptr) {
    return textOf(inputs.*field.text);
  }
  const auto index = static_cast<std::size_t>(inputs.*field.index);
  return inputs.*field.index >= 0 && index < field.list->items.size() ? textOf(field.list->items[index])
                                                                      : QString();
}

QJsonObject inputsObject(const InputState &inputs) {
  QJsonObject object;
  for (const InputField &field : inputFields()) {
    object.insert(textOf(field.name), inputValue(inputs, field));
  }
  return object;
}

// Only what the run showed is written: a completed run's ld, depth and notices, or a refusal.
QJsonObject savedObject(const RunOutcome &saved) {
  QJsonObject object;
  const auto insertText = [&object](QLatin1StringView key, const QString &text) {
    if (!text.isEmpty()) {
      object.insert(key, text);
    }
  };
  insertText(ldKey, saved.ld);
  insertText(adoptedDepthKey, saved.adoptedDepth);
  if (!saved.notices.isEmpty()) {
    object.insert(noticesKey, QJsonArray::fromStringList(saved.notices));
  }
  insertText(refusalKey, saved.refusal);
  return object;
}

QJsonObject positionObject(const Position &position) {
  QJsonObject object{{nameKey, position.name}, {inputsKey, inputsObject(position.inputs)}};
  if (position.saved) {
    object.insert(savedKey, savedObject(*position.saved));
  }
  return object;
}

// "第 3 个部位“梁端”"
QString positionLabel(qsizetype number, const QString &name) {
  return QStringLiteral("第 %1 个部位").arg(number) + (name.isEmpty() ? QString() : "“" + name + "”");
}

QString fieldLabel(const InputField &field) {
  return textOf(field.caption) + "（" + textOf(field.name) + "）";
}

QString inputText(const QJsonObject &inputs, const InputField &field, const QString &position) {
  const QJsonValue value = inputs.value(textOf(field.name));
  if (value.isUndefined()) {
    refuse(position + "缺少" + fieldLabel(field));
  }
  if (!value.isString()) {
    refuse(position + "的" + fieldLabel(field) + "不是文本（JSON 字符串）");
  }
  return value.toString();
}

std::int16_t itemIndex(const InputField &field, const QString &item, const QString &position) {
  const std::string text = item.toStdString();
  const auto found = std::ranges::find(field.list->items, text);
  if (found == field.list->items.end()) {
    refuse(position + "的" + fieldLabel(field) + "为“" + item + "”，不是列表中的选项");
  }
  return static_cast<std::int16_t>(found - field.list->items.begin());
}

InputState inputStateOf(const QJsonValue &value, const QString &position) {
  if (!value.isObject()) {
    refuse(position + "缺少输入（" + inputsKey + "）");
  }
  const QJsonObject inputs = value.toObject();
  InputState state;
  for (const InputField &field : inputFields()) {
    const QString text = inputText(inputs, field, position);
    if (field.list != nullptr) {
      state.*field.index = itemIndex(field, text, position);
    } else {
      state.*field.text = asOneLine(text).toStdString();
    }
  }
  return state;
}

QString savedText(const QJsonObject &saved, QLatin1StringView key, const QString &what) {
  const QJsonValue value = saved.value(key);
  if (!value.isUndefined() && !value.isString()) {
    refuse(what);
  }
  return value.toString();
}

std::optional<RunOutcome> savedOutcomeOf(const QJsonValue &value, const QString &position) {
  if (value.isUndefined()) {
    return std::nullopt;
  }
  const QString what = position + "的上次计算结果（" + savedKey + "）不完整或已损坏";
  if (!value.isObject()) {
    refuse(what);
  }
  const QJsonObject saved = value.toObject();
  RunOutcome outcome{savedText(saved, ldKey, what),
                     savedText(saved, adoptedDepthKey, what),
                     {},
                     savedText(saved, refusalKey, what)};
  const QJsonValue notices = saved.value(noticesKey);
  if (!notices.isUndefined() && !notices.isArray()) {
    refuse(what);
  }
  for (const QJsonValue clause : notices.toArray()) {
    if (!clause.isString()) {
      refuse(what);
    }
    outcome.notices.append(clause.toString());
  }
  return outcome;
}

Position positionOf(const QJsonValue &value, qsizetype number) {
  if (!value.isObject()) {
    refuse(positionLabel(number, {}) + "不是 JSON 对象，" + damaged());
  }
  const QJsonObject object = value.toObject();
  const QJsonValue name = object.value(nameKey);
  if (!name.isString() || name.toString().isEmpty()) {
    refuse(positionLabel(number, {}) + "的名称（" + nameKey + "）缺失、为空或不是文本");
  }
  Position position{asOneLine(name.toString()), {}, {}};
  const QString label = positionLabel(number, position.name);
  position.inputs = inputStateOf(object.value(inputsKey), label);
  position.saved = savedOutcomeOf(object.value(savedKey), label);
  return position;
}

QString tooLarge(const QString &limit) {
  return "文件过大：" + limit;
}

QString tooManyBytes() {
  return tooLarge(QStringLiteral("超过 %1 MB，本程序只打开不超过 %1 MB 的工程文件").arg(maxFileBytes >> 20));
}

void checkVersion(const QJsonValue &value) {
  const double version = value.toDouble(0);
  if (!value.isDouble() || version < 1 || version != std::floor(version)) {
    refuse(damaged());
  }
  if (version > formatVersion) {
    refuse(QStringLiteral("文件的格式版本为 %1，本程序只能打开版本 %2 的工程文件，请用更新的 Tavrin 打开")
               .arg(version, 0, 'g', 15)
               .arg(formatVersion));
  }
}

QJsonObject documentOf(const QByteArray &bytes) {
  if (bytes.size() > maxFileBytes) {
    refuse(tooManyBytes());
  }
  const QByteArray bom("\xEF\xBB\xBF");
  const QByteArray json = bytes.startsWith(bom) ? bytes.sliced(bom.size()) : bytes;
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(json); // decoding happens on conversion to QString
  if (utf8.hasError()) {
    refuse(QStringLiteral("文件不是 UTF-8 编码的文本"));
  }
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError) {
    // Qt places the fault of a file cut short one past its end; the last byte is where it shows.
    const qsizetype at = std::min(error.offset + (bytes.size() - json.size()) + 1, bytes.size());
    refuse(damaged() + QStringLiteral("（第 %1 个字节处）").arg(at));
  }
  if (!document.isObject() || document.object().value(formatKey) != formatName) {
    refuse(QStringLiteral("不是 Tavrin 工程文件"));
  }
  return document.object();
}

Project projectOf(const QByteArray &bytes) {
  const QJsonObject root = documentOf(bytes);
  checkVersion(root.value(versionKey));
  const QJsonValue name = root.value(projectKey);
  const QJsonValue positions = root.value(positionsKey);
  if (!(name.isUndefined() || name.isString()) || !positions.isArray()) {
    refuse(damaged());
  }
  const QJsonArray list = positions.toArray();
  if (list.size() > maxPositions) {
    refuse(tooLarge(QStringLiteral("共 %1 个部位，本程序只打开不超过 %2 个部位的工程")
                        .arg(list.size())
                        .arg(maxPositions)));
  }
  if (list.isEmpty()) {
    refuse(QStringLiteral("文件中没有部位（") + positionsKey + "）");
  }
  Project project{asOneLine(name.toString()), {}};
  project.positions.reserve(static_cast<std::size_t>(list.size()));
  for (const QJsonValue position : list) {
    project.positions.push_back(positionOf(position, static_cast<qsizetype>(project.positions.size()) + 1));
  }
  return project;
}

} // namespace

RunOutcome outcomeOfRun(const AnchorageResult &completed) {
  RunOutcome outcome{QString::fromStdString(formatQuantity(Quantity::Ld, completed)),
                     QString::fromStdString(formatDouble(completed.completed->adopted.depth)),
                     {},
                     {}};
  for (const CodeNotice &notice : completed.completed->notices) {
    outcome.notices.append(notice.clause.empty() ? ownNoticeClause.toString() : textOf(notice.clause));
  }
  return outcome;
}

RunOutcome outcomeOf(const InputState &inputs) {
  AnchorageResult result;
  if (const auto rejection = calculateAnchorage(anchorageInputOf(inputs), result)) {
    return {{}, {}, {}, QString::fromStdString(rejection->message)};
  }
  return outcomeOfRun(result);
}

QString numberedPositionName(int n) {
  return QStringLiteral("部位 %1").arg(n);
}

Project untitledProject() {
  return {{}, {{numberedPositionName(1), defaultInputState(), std::nullopt}}};
}

QByteArray projectFileBytes(const Project &project) {
  QJsonArray positions;
  for (const Position &position : project.positions) {
    positions.append(positionObject(position));
  }
  const QJsonObject root{{formatKey, formatName},
                         {versionKey, formatVersion},
                         {projectKey, project.name},
                         {positionsKey, positions}};
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ReadOutcome readProject(const QByteArray &bytes) {
  try {
    return projectOf(bytes);
  } catch (const Refusal &refusal) {
    return refusal.reason;
  }
}

ReadOutcome readProjectFile(const QString &path) {
  QFile file(path);
  if (QFileInfo(file).size() > maxFileBytes) {
    return tooManyBytes();
  }
  if (!file.open(QIODevice::ReadOnly)) {
    return "无法打开文件：" + file.errorString();
  }
  // One byte past the limit is enough to tell a file that grew since it was measured.
  const QByteArray bytes = file.read(maxFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    return "无法读取文件：" + file.errorString();
  }
  return readProject(bytes);
}

QString writeProjectFile(const Project &project, const QString &path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return "无法写入文件：" + file.errorString();
  }
  const QByteArray bytes = projectFileBytes(project);
  // Flushed here, since a full disk refusing the last buffered bytes when commit closes the file would go
  // unnoticed there and a cut-short file would replace the one that was there.
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    // Qt has no reason of its own for a write a full disk cut short; the system's is the last error.
    const QString reason = "未能写完文件：" + qt_error_string();
    file.cancelWriting();
    file.commit(); // removes the file beside, leaving what was there
    return reason;
  }
  if (!file.commit()) {
    return "无法保存文件：" + file.errorString();
  }
  return {};
}

} // namespace tavrin::project
