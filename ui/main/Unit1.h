#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QList>
#include <QString>
#include <QWidget>

#include "config/ConfigRecord.h"
#include "document/UnitDocument.h"
#include "ui/browser/ConfigOpener.h"
#include "ui/widgets/FileDialogControl.h"
#include "ui/widgets/KeyToolTips.h"
#include "ui/side/PrintPreview.h"
#include "ui/side/ReviewChanges.h"
#include "ui/side/ZoneGrid.h"

class QAction;
class QCheckBox;
class QPagedPaintDevice;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;

namespace ostra {

namespace report {
struct ReportUnit;
}

class CheckListBox;
class FileApi;
class FileDialogs;
class HelpMemo;
class ListBox;
class LogoImage;
class MessageBoxes;
class Shell;
class SingleByteEdit;
class Exception;
class TGIFImage;
class ZoneOverview;
struct ConfigField;

// A record field and the control that shows it: the fill sets the control
// from the record, the gather (none for what the window only shows) writes
// it back.
struct FieldBinding {
    const ConfigField* Field = nullptr;
    std::function<void(const TConfigRecord&)> Fill;
    std::function<void(TConfigRecord&)> Gather;
};

// Follows the file's path in the title while the file cannot be written.
inline constexpr const char* kReadOnlyMark = " (read-only)";

// The maker's web site: the logo's hint names it, a click opens it.
inline constexpr const char* kMakerWebSite = "www.ostra-video.example";
// The logo's hint, and its name for screen readers: an offer to go to the web site.
QString LogoHint();

// The main window: every field of the one configuration record in a
// control of its own, the commands that load, save and clear the record,
// the help text and the zone assignment editor. It owns the record and the
// path that plain Save writes to. Paths are kept as the exact bytes the
// file system gives; only what is shown is decoded.
class TForm1 : public QWidget, public ConfigOpener, public ZoneGrid {
    Q_OBJECT
public:
    // Files are loaded and saved through `files`. showCardBrowser shows the
    // card file browser for Load; without one, Load outside advanced mode
    // does nothing.
    TForm1(FileApi& files, FileDialogs& fileDialogs, MessageBoxes& messageBoxes, Shell& shell,
           std::function<void()> showCardBrowser = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // The record being edited and the file plain Save writes to.
    TConfigRecord ConfigRecord{};
    std::string CurrentFilePath;

    // Fill, gather and the two saves.
    void ConfigToForm();
    void FormToConfig();
    // Both saves answer whether the file was written; their questions,
    // dialog and error box stay above owner (this window when none is
    // given). SaveAsCommanded saves as the Save button does: Advanced Save
    // in advanced mode, else plain Save, or, with no file open yet,
    // Advanced Save to a file that plain Save then writes to.
    bool SaveConfig(QWidget* owner = nullptr);
    bool SaveConfigMap(QWidget* owner = nullptr);
    bool SaveAsCommanded(QWidget* owner);

    // The two ways of opening a file; both report their own failures, and
    // a failed open changes nothing but shows its error. OpenConfig answers
    // whether the file was read; dialogOwner is the window the dialog and
    // the error box of OpenConfigMap stay above (this window when none is
    // given), and messageOwner that of OpenConfig's error box.
    bool OpenConfig(const std::string& path, QWidget* messageOwner = nullptr);
    void OpenConfigMap(QWidget* dialogOwner) override;
    void OpenConfigMap() { OpenConfigMap(this); }
    void OpenConfigFromCard(const std::string& path) override;
    // Asks, above owner, whether to save edits that are about to be lost;
    // answers whether to go on (saved or discarded) or stop (cancelled, or
    // the save did not happen). Without edits it asks nothing.
    bool SettleUnsavedEdits(QWidget* owner) override;

    // The Zone Overview and Review Changes windows, built when first
    // asked for; null until then.
    // Review Changes opened from another window's question (the card
    // browser's, which stays on top) belongs to that window, so that it
    // shows above it. Against a record, it shows how the window differs
    // from that record (a file as it now is on its card) rather than from
    // the file as opened.
    void ShowZoneOverview();
    void ShowReviewChanges(QWidget* askedFrom = nullptr);
    void ShowReviewChanges(QWidget* askedFrom, const TConfigRecord& against);
    ZoneOverview* Overview() const { return overview_.get(); }
    // The report of the unit as the window shows it, unsaved edits
    // included, on a printer or a PDF writer; false when the device
    // failed. ShowPrintPreview shows it above owner before it is printed.
    bool PrintUnit(QPagedPaintDevice& device);
    void ShowPrintPreview(QWidget* owner = nullptr);
    ReviewChanges* Review() const { return review_.get(); }

    // The routing as the Zone Overview edits it: wallplate marks are
    // written into the record at once, main-output marks into their check
    // list, as the window's own lists do.
    bool Mark(int row, int zone) const override;
    bool KeptMark(int row, int zone) const override;
    void SetMarks(const std::vector<Cell>& cells, bool marked) override;
    QString ZoneHeading(int zone) const override;

    // An error box above owner, or above this window when none is given;
    // detail (where, and what to check) stands under the text.
    void ShowErrorMessage(const QString& text, QWidget* owner = nullptr, const QString& detail = QString());

    // The unit being edited. The window shows it and sends every edit to
    // it at once; the title, the change marks, the Zone Overview, Review
    // Changes and print read it.
    const UnitDocument& Document() const { return document_; }
    // Takes back the last step of editing, or does the last one taken back
    // again, in every control and window; the control that changed shows
    // (its zone selected) and takes the focus.
    void Undo();
    void Redo();

    // Event handlers.
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Memo1Click();
    void Image1Click();
    void Timer1Timer();
    void ListBox1Click();
    void CheckListBox1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // One file dropped from the file manager opens as Advanced Load opens
    // it: a .cfg file, or any file in advanced mode. Several files or a
    // folder are refused while they are dragged.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

public:
    // Controls, named as the window's layout names them.
    QFrame *Bevel1, *Bevel2, *Bevel3, *Bevel4, *Bevel5, *Bevel6, *Bevel7, *Bevel8;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10;
    QLabel *Label11, *Label12, *Label13, *Label14, *Label15, *Label16, *Label17, *Label18, *Label19;
    QLabel *Label20, *Label21, *Label22, *Label23, *Label24, *Label25, *Label26, *Label27, *Label28;
    SingleByteEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10;
    SingleByteEdit *Edit11, *Edit12, *Edit13, *Edit14, *Edit15, *Edit16, *Edit17, *Edit18, *Edit19;
    SingleByteEdit *Edit20, *Edit21, *Edit22, *Edit23, *Edit24, *Edit25, *Edit26, *Edit27, *Edit28;
    SingleByteEdit* Edit29;
    QRadioButton *RadioButton1, *RadioButton2;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5;
    ListBox* ListBox1;
    CheckListBox *CheckListBox1, *CheckListBox2;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    QPushButton* ZoneOverviewButton;
    HelpMemo* Memo1;
    LogoImage* Image1;
    // The logo Image1 shows, read from the stored picture when the window
    // is created; none when that could not be read.
    std::unique_ptr<TGIFImage> Image1Picture;
    QTimer* Timer1;
    FileDialogControl SaveDialog1;
    FileDialogControl OpenDialog1;

private:
    void createFrames();
    void createHeadings();
    void createDescriptionAndOptions();
    void createNameRows();
    void createInstallerPanel();
    void createZonePanel();
    void fillZonePanel();
    void createCommandControls();
    void createHelp();
    void bindFields();
    void loadLogo();
    void connectHandlers();
    void setTabOrder();
    void addTabStop(int tabOrder, QWidget* control);
    void bindKeys();
    void createReviewControls();
    void addPrintEntries();
    report::ReportUnit unitAsShown();
    // What a save would write now.
    TConfigRecord recordAsSaved();
    void trackChanges();
    // After any edit by the user: the unit as the window now holds it goes
    // to the document as one step (or into the burst of typing it
    // continues), and the views follow.
    void noteEdited();
    // The views of the document brought up to date: the title's asterisk,
    // the marks of changed controls, the Zone Overview, Review Changes and
    // the names of Undo and Redo.
    void showDocument();
    // The controls set from the document's unit (after Undo, Redo or a
    // revert), which records no step.
    void fillFromDocument();
    // What a step from before to after is called in Undo and Redo.
    QString stepName(const TConfigRecord& before, const TConfigRecord& after);
    void showChangedControl(const std::vector<const ConfigField*>& fields);
    void createHistoryActions();
    void updateHistoryActions();
    QList<QAction*> historyActions() const;
    void markChangedControls(const TConfigRecord& now);
    std::vector<ReviewRow> reviewRows();
    // The commands the windows beside this one run on the editor's keys.
    EditorCommands editorCommands();
    QString reviewName(const ConfigField& field);
    void revertField(const ConfigField& field);
    void revertAll();
    std::vector<const ConfigField*> fieldsChangedFrom(const TConfigRecord& kept) const;
    QWidget* controlShowing(const ConfigField& field);
    void nameForScreenReaders();
    void setHelpShown(bool shown);
    bool hasUnsavedEdits();

    bool saveTo(const std::string& path, QWidget* owner);
    void showFile(const FileState& file, const char* titlePrefix);
    // Before a save over the file the window shows: when the file is no
    // longer the one opened or last saved (changed since, or another card
    // in the slot), asks, above owner, whether to replace it; Review...
    // shows how it differs from the window. Answers whether to go on.
    bool ConfirmSameFile(const std::string& path, QWidget* owner);
    // The error box's detail for a failed save; a card taken out is named.
    QString saveAdvice(const Exception& error, const std::string& path);
    // When the window comes to the front, a file that changed on disk while
    // the window holds no unsaved edits is read again.
    void reloadIfChanged();
    void startTimer1();
    void showTitle(const char* prefix, const std::string& path);
    void showTitleText(const QString& text);
    TConfigRecord gatheredCopy();
    TConfigRecord editedCopy();

    FileApi& files_;
    MessageBoxes& messageBoxes_;
    Shell& shell_;
    std::vector<FieldBinding> fieldBindings_;
    std::vector<std::pair<int, QWidget*>> tabStops_;
    std::function<void()> showCardBrowser_;
    UnitDocument document_;
    // The title as the commands set it; an asterisk follows it while the
    // unit differs from its file.
    QString titleText_;
    bool markingChanges_ = false;
    // While the program sets the controls, their signals are no edits.
    bool filling_ = false;
    // What Review Changes measures against, when not the document's
    // baseline: a file as it now is on its card.
    std::optional<TConfigRecord> reviewAgainst_;
    // Undo and Redo in the context menus, named for their steps.
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    std::unique_ptr<ZoneOverview> overview_;
    std::unique_ptr<ReviewChanges> review_;
    PrintPreview printPreview_;
    // The keys each command button and check box names in its tooltip.
    KeyToolTips keyToolTips_;
};

} // namespace ostra
