#include "dialog_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>

namespace zc {

namespace {

// Boxes carry the title of the window they belong to.
QString TitleFor(QWidget* parent) {
  if (parent != nullptr && !parent->window()->windowTitle().isEmpty()) return parent->window()->windowTitle();
  return QStringLiteral("ZELTA CALC SYSTEM");
}

}  // namespace

void DialogPrompts::ShowError(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, TitleFor(parent), message);
}

void DialogPrompts::ShowMessage(QWidget* parent, const QString& message) {
  QMessageBox::information(parent, TitleFor(parent), message);
}

bool DialogPrompts::Ask(QWidget* parent, const Question& question) {
  QMessageBox box(question.tone == Question::Tone::Warning ? QMessageBox::Warning : QMessageBox::Information,
                  question.title.isEmpty() ? TitleFor(parent) : question.title, question.text,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(question.yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

ChosenFile DialogPrompts::ChooseFile(QWidget* parent, const FileRequest& request) {
  QFileDialog dialog(parent, request.title, request.folder);
  // Qt's own dialog everywhere: it follows the chosen type's extension and
  // speaks the interface's language.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // Room for the name, size, type and date columns without cutting them.
  dialog.resize(dialog.sizeHint().expandedTo(QSize(760, 460)));
  const bool save = request.mode == FileRequest::Mode::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  QStringList filters;
  for (const FileType& type : request.types) filters << type.filter;
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    dialog.setDefaultSuffix(request.types.front().suffix);
  }
  // The name is completed with the chosen type's extension before the
  // dialog asks about overwriting, so the question is about the real file.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request, &filters](const QString& filter) {
    const qsizetype index = filters.indexOf(filter);
    if (index >= 0) dialog.setDefaultSuffix(request.types[index].suffix);
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return {dialog.selectedFiles().constFirst(),
          std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

}  // namespace zc
