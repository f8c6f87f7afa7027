#pragma once
#include "core/ui/Form.h"
#include "reports/engine/rpVariables.h"

class QCheckBox;
class QComboBox;
class QDropEvent;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TrpComboEdit;
class TrpReport;
class TrpSpeedButton;

// The data dictionary editor of the report open in the designer: the
// report's variables in categories with their values, the aliases and
// exclusions of data sets and fields, and the aliases of the data sources
// bands may use. It edits copies of the three lists, made when it is shown,
// and writes them back into the dictionary only on OK (modal result 1).
class TrpDictForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDictForm(TrpReport& report, QWidget* parent = nullptr);

  // The kinds of tree nodes, each with its own icon.
  enum TNodeKind { nkPlaceholder, nkCategory, nkVariable, nkRoot, nkDataSet, nkField, nkExcludedField, nkDataSource };

  // The variables page.
  QTabWidget* Pages;
  QTreeWidget* VarTree;
  TrpSpeedButton *NewCategoryBtn, *NewVariableBtn, *RenameBtn, *DeleteBtn, *EditListBtn;
  QComboBox* DataSourceCB;
  QListWidget* ValuesLB;
  QCheckBox* ExprCB;
  TrpComboEdit* ExprEdit;
  // The field aliases page.
  QTreeWidget* FieldsTree;
  QListWidget* DataSetsLB;
  TrpSpeedButton *AddDataSetBtn, *AddAllDataSetsBtn, *RemoveDataSetBtn, *RemoveAllDataSetsBtn;
  QLineEdit* FieldAliasEdit;
  QCheckBox* ExcludeCB;
  // The data sources page.
  QTreeWidget* SourcesTree;
  QListWidget* SourcesLB;
  TrpSpeedButton *AddSourceBtn, *AddAllSourcesBtn, *RemoveSourceBtn, *RemoveAllSourcesBtn;
  QLineEdit* SourceAliasEdit;

  // The working copies while the form is shown.
  const TrpVariables& WorkingVariables() const { return variables_; }
  const TrpVariables& WorkingFieldAliases() const { return fieldAliases_; }
  const TrpVariables& WorkingSourceAliases() const { return sourceAliases_; }

  // What the buttons and keys do.
  void NewCategory();
  void NewVariable();
  void RenameNode();
  void DeleteNode();
  void EditList();
  // Moves the selected (or all) list items into a page's tree, or the
  // selected data set (or all) back into its list.
  void MoveIn(QTreeWidget* tree, bool all);
  void MoveOut(QTreeWidget* tree, bool all);
  // Excludes the selected field from the lists the designer offers, or takes it back.
  void SetFieldExcluded(bool excluded);

protected:
  void FormShow() override;
  void FormClose(TCloseAction& action) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* CreateVariablesPage();
  QWidget* CreateAliasPage(int rootId, int listId, QTreeWidget*& tree, QListWidget*& list, QLineEdit*& alias,
                           QList<TrpSpeedButton*>& moveButtons, QCheckBox** exclude);
  void ConnectAliasPage(QTreeWidget* tree, QListWidget* list, const QList<TrpSpeedButton*>& buttons);

  // The variables page.
  void FillVariablesTree();
  void ShowPlaceholder(bool shown);
  bool PlaceholderShown() const;
  QTreeWidgetItem* AddVariableNode(QTreeWidgetItem* category, const QString& name);
  void VariableSelected(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void VariableRenamed(QTreeWidgetItem* item);
  QString ValueOf(const QTreeWidgetItem* node) const;
  void SetValueOf(const QTreeWidgetItem* node, const QString& value);
  void ShowValue(const QString& value);
  bool ShowFieldValue(const QString& value);
  void FillValues();
  bool SystemEntryShown() const;
  void ValueChosen(int position);
  void ExpressionChecked(bool checked);
  void StoreExpression();
  void EditExpression();

  // The alias pages.
  TrpVariables& EntriesOf(const QTreeWidget* tree);
  QListWidget* ListOf(const QTreeWidget* tree) const;
  QLineEdit* AliasEditOf(const QTreeWidget* tree) const;
  void FillFieldAliasPage();
  void FillSourcePage();
  QTreeWidgetItem* AddEntryNode(QTreeWidget* tree, const QString& name);
  void ExpandDataSet(QTreeWidgetItem* node);
  void AliasNodeSelected(QTreeWidget* tree, QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void StoreAlias(QTreeWidget* tree, QTreeWidgetItem* node);
  QString FieldKey(const QTreeWidgetItem* fieldNode) const;
  void ReturnToList(QListWidget* list, const QString& name);
  bool DropFrom(QObject* target, QDropEvent* event);
  void StorePendingEdits();

  TrpReport& report_;
  TrpVariables variables_;
  TrpVariables fieldAliases_;
  TrpVariables sourceAliases_;
  QTreeWidgetItem* expressionNode_ = nullptr; // the node whose expression the field edits
  bool loading_ = false;                      // the change handlers stay quiet meanwhile
};
