#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The "Consulta..." tree window over a code hierarchy (families, positions, cost centres):
// the statement's first column is the code, the second its description, in code order;
// longer codes nest under shorter ones.
class Lib_FrmCons3Tree : public QDialog
{
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;

    QString SQL;
    QString CampoDevuelto; // "IDFAMILIA", "IDPOSICION" or "CODIGO"
    bool CheckBoxes = false;
    QVariant ValorDevuelto;
    QStringList Valores;

    QTreeWidget* TreeV = nullptr;
    QVector<QLineEdit*> CmbSearch;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;

    void Mostrar();
    // The node of a key ("A" + code), or nullptr.
    QTreeWidgetItem* Nodo(const QString& clave) const { return m_nodos.value(clave); }

    void Aceptar();
    void Cancelar();
    void NuevaBusqueda();
    void BuscarEnBase();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void reject() override;

private:
    void Form_Load();
    void ArmarTreeVAutomatico();
    void buscar(const QString& texto);
    void propagarMarca(QTreeWidgetItem* nodo);
    QString valorDe(const QString& tabla, const QString& codigo) const;
    static QString codigoDe(const QTreeWidgetItem* nodo);

    bool m_cargada = false;
    bool m_propagando = false;
    QString m_sqlBase;
    int m_cajaActiva = 0;
    QHash<QString, QTreeWidgetItem*> m_nodos;
};
