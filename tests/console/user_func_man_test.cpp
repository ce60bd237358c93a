#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "calc_expression.h"
#include "recording_prompts.h"
#include "user_func_man.h"
#include "user_function_naming.h"

using namespace zc;

namespace {

std::unique_ptr<TUserFunction> Function(const std::string& name, const std::string& params = "x",
                                        const std::string& sentence = "x*2") {
  auto record = std::make_unique<TUserFunction>();
  record->aName = name;
  record->aParams = params;
  record->aSentence = sentence;
  return record;
}

void WriteFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

}  // namespace

class UserFuncManTest : public QObject {
  Q_OBJECT

 private:
  EngineContext context_;
  NameValueList grid_;
  test::RecordingPrompts prompts_;
  std::unique_ptr<TUserFuncMan> manager_;
  bool& answerReplace_ = prompts_.answer;
  QString& chosenFile_ = prompts_.chosenFile;
  QStringList& errors_ = prompts_.errors;

  QStringList Lines() const {
    QStringList lines;
    auto* model = manager_->ListBox1()->model();
    for (int row = 0; row < model->rowCount(); ++row) lines << model->index(row, 0).data().toString();
    return lines;
  }

 private slots:
  void init() {
    context_ = EngineContext();
    context_.random = RandomState(1);
    grid_ = {"a=4"};
    manager_.reset();
    prompts_ = test::RecordingPrompts();
    prompts_.answer = false;
    manager_ = std::make_unique<TUserFuncMan>(context_, [this] { return grid_; }, prompts_);
  }

  void newFunctionTakesTheFirstFreeLetter_data() {
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty list") << QStringList{} << "NewFunca";
    QTest::newRow("a and b taken") << QStringList{"NewFunca", "NewFuncb"} << "NewFuncc";
    QTest::newRow("taken in other case") << QStringList{"NEWFUNCA"} << "NewFuncb";
    QTest::newRow("gap is filled") << QStringList{"NewFuncb"} << "NewFunca";
    QStringList all;
    for (char c = 'a'; c <= 'z'; ++c) all << QStringLiteral("NewFunc") + QChar(c);
    QTest::newRow("all 26 taken") << all << "";
  }
  void newFunctionTakesTheFirstFreeLetter() {
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);
    for (const QString& name : existing) context_.userFunctions.push_back(Function(name.toStdString()));
    manager_->ToolButton1Click();
    const std::size_t count = static_cast<std::size_t>(existing.size());
    if (expected.isEmpty()) {
      QCOMPARE(context_.userFunctions.size(), count);
      return;
    }
    QCOMPARE(context_.userFunctions.size(), count + 1);
    const TUserFunction& added = *context_.userFunctions.back();
    QCOMPARE(QString::fromStdString(added.aName), expected);
    QCOMPARE(QString::fromStdString(added.aExplain), QStringLiteral("ここに説明を記入してください。"));
    QCOMPARE(added.aParams, std::string("x"));
    QCOMPARE(Lines().last(), expected + "(x)");
  }

  void copyAppendsALetterToTheName() {
    context_.userFunctions.push_back(Function("f"));
    manager_->SelectRow(0);
    manager_->ToolButton3Click();
    manager_->ToolButton3Click();
    QCOMPARE(Lines(), (QStringList{"f(x)", "fa(x)", "fb(x)"}));
    manager_->SelectRow(1);
    manager_->ToolButton3Click();
    QCOMPARE(Lines().last(), QStringLiteral("faa(x)"));
    QCOMPARE(context_.userFunctions.back()->aSentence, std::string("x*2"));
  }

  void copySkipsNamesTakenInAnyCase() {
    context_.userFunctions.push_back(Function("g"));
    context_.userFunctions.push_back(Function("GA"));
    manager_->SelectRow(0);
    manager_->ToolButton3Click();
    QCOMPARE(Lines().last(), QStringLiteral("gb(x)"));
  }

  void deletingTheLastLineSelectsTheNewLastLine() {
    for (const char* name : {"f", "g", "h"}) context_.userFunctions.push_back(Function(name));
    manager_->SelectRow(2);
    manager_->ToolButton2Click();
    QCOMPARE(Lines(), (QStringList{"f(x)", "g(x)"}));
    QCOMPARE(manager_->CurrentFunction(), context_.userFunctions[1].get());
    QCOMPARE(manager_->Edit1()->text(), QStringLiteral("g"));
  }

  void deletingAMiddleLineSelectsTheLineThatTakesItsPlace() {
    for (const char* name : {"f", "g", "h"}) context_.userFunctions.push_back(Function(name));
    manager_->SelectRow(1);
    manager_->ToolButton2Click();
    QCOMPARE(manager_->Edit1()->text(), QStringLiteral("h"));
  }

  void deletingTheOnlyLineHidesThePanel() {
    context_.userFunctions.push_back(Function("f"));
    manager_->show();
    manager_->SelectRow(0);
    QVERIFY(manager_->GroupBox1()->isVisible());
    manager_->ToolButton2Click();
    QVERIFY(context_.userFunctions.empty());
    QVERIFY(!manager_->GroupBox1()->isVisible());
    QCOMPARE(manager_->CurrentFunction(), nullptr);
  }

  void editsWriteStraightIntoTheRecord() {
    context_.userFunctions.push_back(Function("f"));
    manager_->SelectRow(0);
    manager_->Edit1()->setText("area");
    manager_->Edit2()->setText("w,h");
    manager_->Edit3()->setText("w*h");
    manager_->RadioButton2()->click();
    const TUserFunction& record = *context_.userFunctions[0];
    QCOMPARE(record.aName, std::string("area"));
    QCOMPARE(record.aSentence, std::string("w*h"));
    QCOMPARE(record.aRunType, std::uint16_t{1});
    QCOMPARE(Lines(), QStringList{"area(w,h)"});
  }

  void renameTakesEffectInTheNextEvaluation() {
    context_.userFunctions.push_back(Function("f"));
    manager_->SelectRow(0);
    manager_->Edit1()->setText("dbl");
    NameValueList variables;
    TCalcResult renamed;
    CalcExpression(context_, "dbl(4)", variables, renamed);
    QCOMPARE(renamed.dwMessage, std::string("8"));
    TCalcResult old;
    CalcExpression(context_, "f(4)", variables, old);
    QCOMPARE(old.dwStatusCode, std::uint8_t{12});
  }

  void importAnsweredNoAppendsAndYesReplaces() {
    QTemporaryDir dir;
    chosenFile_ = dir.filePath("two.inf");
    WriteFile(chosenFile_, "[p]\r\nRunType=0\r\nParams=x\r\nSentence=x+1\r\n\r\n[q]\r\nParams=x\r\nSentence=x-1\r\n");
    context_.userFunctions.push_back(Function("f"));
    answerReplace_ = false;
    manager_->ToolButton4Click();
    QCOMPARE(Lines(), (QStringList{"f(x)", "p(x)", "q(x)"}));
    answerReplace_ = true;
    manager_->ToolButton4Click();
    QCOMPARE(Lines(), (QStringList{"p(x)", "q(x)"}));
  }

  void importOfAFileThatCannotBeReadIsReportedAndChangesNothing() {
    QTemporaryDir dir;
    chosenFile_ = dir.filePath("folder.inf");
    QVERIFY(QDir().mkdir(chosenFile_));
    context_.userFunctions.push_back(Function("f"));
    answerReplace_ = true;
    manager_->ToolButton4Click();
    QCOMPARE(errors_.size(), 1);
    QVERIFY(errors_.first().contains(chosenFile_));
    QCOMPARE(Lines(), QStringList{"f(x)"});
  }

  void editsAfterAReplacingImportChangeNoListedFunction() {
    QTemporaryDir dir;
    chosenFile_ = dir.filePath("one.inf");
    WriteFile(chosenFile_, "[p]\r\nParams=x\r\nSentence=x+1\r\n");
    context_.userFunctions.push_back(Function("f"));
    manager_->SelectRow(0);
    answerReplace_ = true;
    manager_->ToolButton4Click();
    QCOMPARE(manager_->CurrentFunction(), nullptr);
    manager_->Edit1()->setText("changed");  // must not write into freed memory
    QCOMPARE(context_.userFunctions[0]->aName, std::string("p"));
  }

  void exportWritesTheListAndAFailureIsReported() {
    QTemporaryDir dir;
    context_.userFunctions.push_back(Function("f"));
    chosenFile_ = dir.filePath("out.inf");
    manager_->ToolButton6Click();
    QFile written(chosenFile_);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("[f]\r\nExplain=\r\nRunType=0\r\nParams=x\r\nSentence=x*2\r\n"));
    chosenFile_ = dir.filePath("missing-folder/out.inf");
    manager_->ToolButton6Click();
    QCOMPARE(errors_.size(), 1);
  }

  void aMalformedNumberInTheTestLineIsShownAsAnError() {
    manager_->Edit6()->setText("1.2.3");
    manager_->Button2Click();
    QCOMPARE(errors_.size(), 1);
    QVERIFY(errors_.first().contains("1.2.3"));
  }

  void enterInTheTestLineEvaluatesItAndOpensNoDialog() {
    context_.userFunctions.push_back(Function("f"));
    manager_->show();
    manager_->SelectRow(0);
    manager_->Edit6()->setFocus();
    manager_->Edit6()->setText("f(a)");
    QTest::keyClick(manager_->Edit6(), Qt::Key_Return);
    QCOMPARE(manager_->Edit7()->text(), QStringLiteral("8"));
    QVERIFY(prompts_.fileRequests.isEmpty());
  }

  void testLineReadsTheGridButNeverChangesIt() {
    manager_->Edit6()->setText("x=a+1");
    manager_->Button2Click();
    QCOMPARE(manager_->Edit7()->text(), QStringLiteral("5"));
    QCOMPARE(grid_, NameValueList{"a=4"});
    manager_->Edit6()->setText("1/0");
    manager_->Button2Click();
    QCOMPARE(manager_->Edit7()->text(), QStringLiteral("ERROR 14"));
  }

  void newFunctionShowsTheLengthContractAndLoadedOneTheOther() {
    manager_->ToolButton1Click();
    manager_->SelectRow(0);
    QCOMPARE(manager_->ComboBox1()->currentText(), QStringLiteral("Delphi (Length+^Array of Extended)"));
    QVERIFY(!manager_->ComboBox1()->isEnabled());
    QTemporaryDir dir;
    chosenFile_ = dir.filePath("one.inf");
    WriteFile(chosenFile_, "[p]\r\nRunType=1\r\n");
    answerReplace_ = false;
    manager_->ToolButton4Click();
    manager_->SelectRow(1);
    QCOMPARE(manager_->ComboBox1()->currentText(), QStringLiteral("C++ (可変長引数)"));
    QVERIFY(manager_->RadioButton2()->isChecked());
  }

  void libraryPathIsStoredRelativeToAppDir() {
    QTemporaryDir dir;
    context_.appDir = dir.path().toStdString() + "/";
    context_.userFunctions.push_back(Function("f"));
    manager_->SelectRow(0);
    chosenFile_ = dir.filePath("plugins/mine.so");
    manager_->Button1Click();
    QCOMPARE(context_.userFunctions[0]->aDLLPath, std::string("plugins/mine.so"));
    // The dialog opens in AppDir and offers this system's libraries first.
    const FileRequest& request = prompts_.fileRequests.constLast();
    QCOMPARE(request.folder, dir.path() + "/");
    QCOMPARE(request.types.size(), 2);
    QCOMPARE(request.types[0].filter, QStringLiteral("Shared Object(*.so)"));
    QCOMPARE(request.types[1].filter, QStringLiteral("Dynamic Link Library(*.dll)"));
  }

  void procedureListShowsTheLibraryExportsAndKeepsTheText() {
    context_.userFunctions.push_back(Function("f"));
    manager_->SelectRow(0);
    manager_->Edit4()->setText(QStringLiteral(ZC_ELF_EXPORTS_PLUGIN));
    manager_->Edit5()->setEditText("typed");
    manager_->Button3Click();
    QStringList items;
    for (int i = 0; i < manager_->Edit5()->count(); ++i) items << manager_->Edit5()->itemText(i);
    QVERIFY(items.contains("PluginSquare"));
    QCOMPARE(manager_->Edit5()->currentText(), QStringLiteral("typed"));
    manager_->Edit4()->setText("not-a-library.txt");
    manager_->Button3Click();
    QCOMPARE(manager_->Edit5()->count(), 0);
    manager_->Edit4()->clear();  // resolves to AppDir, a folder
    manager_->Button3Click();
    QCOMPARE(manager_->Edit5()->count(), 0);
  }
};

QTEST_MAIN(UserFuncManTest)
#include "user_func_man_test.moc"
