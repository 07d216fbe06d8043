#pragma once

#include "lookup/VentanaConsulta.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>

class QTreeWidget;
class QTreeWidgetItem;

// The "Consulta..." tree window over a code hierarchy (families, positions, cost centres):
// the statement's first column is the code, the second its description, in code order;
// longer codes nest under shorter ones.
class Lib_FrmCons3Tree : public VentanaConsulta
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

    // The node of a key ("A" + code), or nullptr.
    QTreeWidgetItem* Nodo(const QString& clave) const { return m_nodos.value(clave); }

    void Aceptar() override;
    void Cancelar() override;
    void NuevaBusqueda() override;
    void BuscarEnBase();

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void Form_Load() override;

private:
    void ArmarTreeVAutomatico();
    void buscar(const QString& texto);
    void propagarMarca(QTreeWidgetItem* nodo);
    QString valorDe(const QString& tabla, const QString& codigo) const;
    static QString codigoDe(const QTreeWidgetItem* nodo);

    bool m_propagando = false;
    QString m_sqlBase;
    int m_cajaActiva = 0;
    QHash<QString, QTreeWidgetItem*> m_nodos;
};
