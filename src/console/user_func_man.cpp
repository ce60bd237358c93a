#include "user_func_man.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "calc_expression.h"
#include "replace_question.h"
#include "library_exports.h"
#include "user_function_list_model.h"
#include "user_function_naming.h"
#include "user_function_store.h"

namespace zc {
namespace {

constexpr int kClientWidth = 610;
constexpr int kClientHeight = 542;
constexpr int kListWidth = 148;

QString FromEngine(const std::string& text) { return QString::fromUtf8(text); }
std::string ToEngine(const QString& text) { return text.toUtf8().toStdString(); }

// OpenDialog1, SaveDialog1 and OpenDialog2.
FileRequest ImportRequest() {
  FileRequest request;
  request.types = {{QStringLiteral("INFファイル(*.inf)"), QString()}, {QStringLiteral("すべてのファイル(*.*)"), QString()}};
  return request;
}

FileRequest ExportRequest() {
  FileRequest request;
  request.mode = FileRequest::Mode::Save;
  request.types = {{QStringLiteral("INFファイル(*.inf)"), QStringLiteral("inf")}};
  return request;
}

FileRequest LibraryRequest(const QString& folder) {
  FileRequest request;
  request.folder = folder;
  // Libraries on this system are shared objects; Windows libraries come second.
  request.types = {{QStringLiteral("Shared Object(*.so)"), QStringLiteral("so")},
                   {QStringLiteral("Dynamic Link Library(*.dll)"), QStringLiteral("dll")}};
  return request;
}

}  // namespace

TUserFuncMan::TUserFuncMan(EngineContext& context, std::function<NameValueList()> variablesSnapshot,
                           UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), context_(context), variablesSnapshot_(std::move(variablesSnapshot)), prompts_(prompts) {
  setWindowTitle(QStringLiteral("ユーザー関数マネージャ"));
  setModal(false);
  BuildLayout();
  setFixedSize(kClientWidth, kClientHeight);
}

TUserFuncMan::~TUserFuncMan() = default;

void TUserFuncMan::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  toolBar1_ = new QToolBar(this);
  toolBar1_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolBar1_->addAction(QStringLiteral("新規関数"), this, &TUserFuncMan::ToolButton1Click);
  toolBar1_->addAction(QStringLiteral("削除"), this, &TUserFuncMan::ToolButton2Click);
  toolBar1_->addAction(QStringLiteral("コピー"), this, &TUserFuncMan::ToolButton3Click);
  toolBar1_->addSeparator();
  toolBar1_->addAction(QStringLiteral("インポート"), this, &TUserFuncMan::ToolButton4Click);
  toolBar1_->addAction(QStringLiteral("エクスポート"), this, &TUserFuncMan::ToolButton6Click);
  layout->addWidget(toolBar1_);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  model_ = new UserFunctionListModel(context_.userFunctions, this);
  listBox1_ = new QListView(splitter);
  listBox1_->setModel(model_);
  listBox1_->setSelectionMode(QAbstractItemView::SingleSelection);
  listBox1_->setUniformItemSizes(true);
  connect(listBox1_, &QListView::clicked, this, [this] { ListBox1Click(); });

  auto* panelHost = new QWidget(splitter);
  auto* panelLayout = new QVBoxLayout(panelHost);
  panelLayout->addWidget(BuildDetailPanel());
  panelLayout->addStretch();  // the panel keeps its natural height
  splitter->addWidget(listBox1_);
  splitter->addWidget(panelHost);
  splitter->setSizes({kListWidth, kClientWidth - kListWidth});
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter, 1);
  layout->addWidget(BuildTestPanel());
}

QWidget* TUserFuncMan::BuildDetailPanel() {
  groupBox1_ = new QGroupBox(this);
  auto* panel = new QVBoxLayout(groupBox1_);

  auto* head = new QFormLayout;
  edit1_ = new QLineEdit(groupBox1_);
  edit8_ = new QLineEdit(groupBox1_);
  head->addRow(QStringLiteral("関数名"), edit1_);
  head->addRow(QStringLiteral("説明"), edit8_);
  panel->addLayout(head);

  auto* kinds = new QHBoxLayout;
  radioButton1_ = new QRadioButton(QStringLiteral("インタプリタ"), groupBox1_);
  radioButton2_ = new QRadioButton(QStringLiteral("外部DLL"), groupBox1_);
  radioButton1_->setChecked(true);
  kinds->addWidget(radioButton1_);
  kinds->addWidget(radioButton2_);
  kinds->addStretch();
  panel->addLayout(kinds);

  auto* groupBox2 = new QGroupBox(QStringLiteral("インタプリタ"), groupBox1_);
  auto* expression = new QFormLayout(groupBox2);
  edit2_ = new QLineEdit(groupBox2);
  edit3_ = new QLineEdit(groupBox2);
  expression->addRow(QStringLiteral("引数"), edit2_);
  expression->addRow(QStringLiteral("数式"), edit3_);
  panel->addWidget(groupBox2);

  auto* groupBox3 = new QGroupBox(QStringLiteral("外部DLL"), groupBox1_);
  auto* library = new QFormLayout(groupBox3);
  edit4_ = new QLineEdit(groupBox3);
  auto* button1 = new QPushButton(QStringLiteral("..."), groupBox3);
  button1->setFixedWidth(28);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(edit4_);
  pathRow->addWidget(button1);
  library->addRow(QStringLiteral("DLLのパス"), pathRow);
  edit5_ = new QComboBox(groupBox3);
  edit5_->setEditable(true);
  edit5_->setInsertPolicy(QComboBox::NoInsert);
  auto* button3 = new QPushButton(QStringLiteral("..."), groupBox3);
  button3->setFixedWidth(28);
  auto* procedureRow = new QHBoxLayout;
  procedureRow->addWidget(edit5_, 1);
  procedureRow->addWidget(button3);
  library->addRow(QStringLiteral("プロシージャ"), procedureRow);
  comboBox1_ = new QComboBox(groupBox3);
  comboBox1_->addItems({QStringLiteral("C++ (可変長引数)"), QStringLiteral("Delphi (Length+^Array of Extended)")});
  comboBox1_->setCurrentIndex(1);
  comboBox1_->setEnabled(false);
  auto* typeLabel = new QLabel(QStringLiteral("引数タイプ"), groupBox3);
  typeLabel->setEnabled(false);
  library->addRow(typeLabel, comboBox1_);
  panel->addWidget(groupBox3);

  // Enter belongs to the edit lines (the test line evaluates), never to
  // whichever button a dialog would make its default.
  button1->setAutoDefault(false);
  button3->setAutoDefault(false);
  connect(button1, &QPushButton::clicked, this, &TUserFuncMan::Button1Click);
  connect(button3, &QPushButton::clicked, this, &TUserFuncMan::Button3Click);
  for (QLineEdit* edit : {edit1_, edit8_, edit2_, edit3_, edit4_}) {
    connect(edit, &QLineEdit::textChanged, this, &TUserFuncMan::PanelChanged);
  }
  connect(edit5_, &QComboBox::currentTextChanged, this, &TUserFuncMan::PanelChanged);
  connect(comboBox1_, &QComboBox::currentIndexChanged, this, &TUserFuncMan::PanelChanged);
  connect(radioButton1_, &QRadioButton::clicked, this, &TUserFuncMan::PanelChanged);
  connect(radioButton2_, &QRadioButton::clicked, this, &TUserFuncMan::PanelChanged);
  groupBox1_->hide();
  return groupBox1_;
}

QWidget* TUserFuncMan::BuildTestPanel() {
  auto* groupBox4 = new QGroupBox(QStringLiteral("テスト"), this);
  auto* test = new QHBoxLayout(groupBox4);
  edit6_ = new QLineEdit(groupBox4);
  auto* button2 = new QPushButton(QStringLiteral("評価"), groupBox4);
  edit7_ = new QLineEdit(groupBox4);
  edit7_->setReadOnly(true);
  button2->setAutoDefault(false);
  test->addWidget(edit6_, 3);
  test->addWidget(button2);
  test->addWidget(edit7_, 2);
  connect(button2, &QPushButton::clicked, this, &TUserFuncMan::Button2Click);
  connect(edit6_, &QLineEdit::returnPressed, this, &TUserFuncMan::Button2Click);
  return groupBox4;
}

void TUserFuncMan::showEvent(QShowEvent* event) {
  RefreshFunctionList();
  if (QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  QDialog::showEvent(event);
}

void TUserFuncMan::RefreshFunctionList() {
  const int row = SelectedRow();
  model_->Refresh();
  // A reset forgets the selection; keep the chosen line chosen.
  if (row >= 0 && row < model_->rowCount()) {
    listBox1_->setCurrentIndex(model_->index(row));
  }
}

int TUserFuncMan::SelectedRow() const {
  const QModelIndexList selected = listBox1_->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void TUserFuncMan::SelectRow(int row) {
  if (row >= 0 && row < model_->rowCount()) {
    listBox1_->setCurrentIndex(model_->index(row));
  } else {
    listBox1_->clearSelection();
    listBox1_->setCurrentIndex(QModelIndex());
  }
  ListBox1Click();
}

void TUserFuncMan::ListBox1Click() {
  const int row = SelectedRow();
  if (row < 0) {
    groupBox1_->hide();
    currentFunction_ = nullptr;
    return;
  }
  currentFunction_ = nullptr;  // filling the panel must write nothing back
  TUserFunction* record = context_.userFunctions[static_cast<std::size_t>(row)].get();
  FillPanel(*record);
  groupBox1_->show();
  currentFunction_ = record;
}

void TUserFuncMan::FillPanel(const TUserFunction& record) {
  edit1_->setText(FromEngine(record.aName));
  edit8_->setText(FromEngine(record.aExplain));
  radioButton1_->setAutoExclusive(false);
  radioButton1_->setChecked(false);
  radioButton2_->setChecked(false);
  radioButton1_->setAutoExclusive(true);
  if (record.aRunType == 0) radioButton1_->setChecked(true);
  if (record.aRunType == 1) radioButton2_->setChecked(true);
  edit2_->setText(FromEngine(record.aParams));
  edit3_->setText(FromEngine(record.aSentence));
  edit4_->setText(FromEngine(record.aDLLPath));
  edit5_->setEditText(FromEngine(record.aDLLProc));
  comboBox1_->setCurrentIndex(record.aDLLParamType);
}

void TUserFuncMan::PanelChanged() {
  if (currentFunction_ == nullptr) return;
  TUserFunction& record = *currentFunction_;
  record.aName = ToEngine(edit1_->text());
  record.aExplain = ToEngine(edit8_->text());
  record.aRunType = radioButton2_->isChecked() ? 1 : 0;
  record.aParams = ToEngine(edit2_->text());
  record.aSentence = ToEngine(edit3_->text());
  record.aDLLPath = ToEngine(edit4_->text());
  record.aDLLProc = ToEngine(edit5_->currentText());
  record.aDLLParamType = static_cast<std::uint16_t>(std::max(0, comboBox1_->currentIndex()));
  const auto& list = context_.userFunctions;
  const auto at = std::find_if(list.begin(), list.end(), [&](const auto& r) { return r.get() == &record; });
  if (at != list.end()) model_->RecordChanged(static_cast<int>(at - list.begin()));
}

void TUserFuncMan::ToolButton1Click() {
  auto record = MakeNewUserFunction(context_.userFunctions);
  if (!record) return;
  context_.userFunctions.push_back(std::make_unique<TUserFunction>(std::move(*record)));
  RefreshFunctionList();
}

void TUserFuncMan::ToolButton2Click() {
  const int row = SelectedRow();
  if (row < 0) return;
  auto& list = context_.userFunctions;
  if (currentFunction_ == list[static_cast<std::size_t>(row)].get()) currentFunction_ = nullptr;
  list.erase(list.begin() + row);
  listBox1_->clearSelection();
  model_->Refresh();
  const int count = model_->rowCount();
  SelectRow(count == 0 ? -1 : std::min(row, count - 1));
}

void TUserFuncMan::ToolButton3Click() {
  const int row = SelectedRow();
  if (row < 0) return;
  auto& list = context_.userFunctions;
  const TUserFunction& original = *list[static_cast<std::size_t>(row)];
  auto name = FirstFreeName(list, original.aName);
  if (!name) return;
  auto copy = std::make_unique<TUserFunction>(original);
  copy->aName = std::move(*name);
  list.push_back(std::move(copy));
  RefreshFunctionList();
}

void TUserFuncMan::ToolButton4Click() {
  const QString fileName = prompts_.ChooseFile(this, ImportRequest()).path;
  if (fileName.isEmpty()) return;
  const bool replace = prompts_.Ask(this, ReplaceQuestion(fileName));
  // An unreadable file is reported and changes nothing.
  if (!RunShowingFailure(prompts_, this, [&] {
        LoadUserFunctions(context_.userFunctions, QFile::encodeName(fileName).toStdString(), replace);
      })) {
    return;
  }
  // A replace freed every record; the panel keeps showing the old values
  // but must not write into a record that no longer exists.
  if (replace) currentFunction_ = nullptr;
  RefreshFunctionList();
}

void TUserFuncMan::ToolButton6Click() {
  const QString fileName = prompts_.ChooseFile(this, ExportRequest()).path;
  if (fileName.isEmpty()) return;
  RunShowingFailure(prompts_, this, [&] {
    SaveUserFunctions(context_.userFunctions, QFile::encodeName(fileName).toStdString());
  });
}

void TUserFuncMan::Button1Click() {
  const QString fileName = prompts_.ChooseFile(this, LibraryRequest(QString::fromStdString(context_.appDir))).path;
  if (fileName.isEmpty()) return;
  edit4_->setText(QDir(QString::fromStdString(context_.appDir)).relativeFilePath(fileName));
}

void TUserFuncMan::Button3Click() {
  // Relative library paths count from AppDir, as when the function is called.
  const QString path = QDir(QString::fromStdString(context_.appDir)).absoluteFilePath(edit4_->text());
  const std::vector<std::string> names = ListDllExports(QFile::encodeName(path).toStdString());
  const QString text = edit5_->currentText();
  const QSignalBlocker blocker(edit5_);
  edit5_->clear();
  for (const std::string& name : names) edit5_->addItem(QString::fromLatin1(name));
  edit5_->setEditText(text);
}

void TUserFuncMan::Button2Click() {
  // The test runs against a copy: its assignments and ANS never reach the grid.
  NameValueList variables = variablesSnapshot_ ? variablesSnapshot_() : NameValueList();
  TCalcResult result;
  // A malformed number, or anything else the engine throws, is shown.
  if (!RunShowingFailure(prompts_, this,
                         [&] { CalcExpression(context_, ToEngine(edit6_->text()), variables, result); })) {
    return;
  }
  edit7_->setText(FromEngine(result.dwMessage));
}

}  // namespace zc
