#include "register/DialogoHistorial.h"

#include "register/RegistroTolvario.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

DialogoHistorial::DialogoHistorial(const QString& periodo, QWidget* padre)
    : QDialog(padre)
{
    setObjectName(QStringLiteral("DialogoHistorial"));
    setWindowTitle(QStringLiteral("Historial de %1").arg(periodo));
    const std::vector<RegistroTolvario::Cambio> cambios = RegistroTolvario::Historia(periodo);
    auto* tabla = new QTableWidget(int(cambios.size()), 9, this);
    tabla->setObjectName(QStringLiteral("TablaHistorial"));
    tabla->setHorizontalHeaderLabels({QStringLiteral("Momento"), QStringLiteral("Acción"), QStringLiteral("Cuenta"),
                                      QStringLiteral("Usuario"), QStringLiteral("Caja"), QStringLiteral("Entradas antes"),
                                      QStringLiteral("Entradas después"), QStringLiteral("Salidas antes"),
                                      QStringLiteral("Salidas después")});
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->verticalHeader()->hide();
    for (int f = 0; f < int(cambios.size()); ++f) {
        const RegistroTolvario::Cambio& c = cambios[size_t(f)];
        // Every amount with the same decimals, so the columns read down; the exact ones when
        // they have more.
        const auto cifra = [](Importe v) { return v.redondeado(2) == v ? v.texto(2, u'.') : v.texto(); };
        const QStringList textos{c.momento, c.accion, c.cuenta, c.usuario, c.caja, cifra(c.entradasAntes), cifra(c.entradasDespues),
                                 cifra(c.salidasAntes), cifra(c.salidasDespues)};
        for (int col = 0; col < textos.size(); ++col) {
            auto* item = new QTableWidgetItem(textos[col]);
            if (col >= 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tabla->setItem(f, col, item);
        }
    }
    tabla->resizeColumnsToContents();
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Close, this);
    botones->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Cerrar"));
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* capa = new QVBoxLayout(this);
    if (cambios.empty())
        capa->addWidget(new QLabel(QStringLiteral("Sin cambios registrados para %1.").arg(periodo), this));
    capa->addWidget(tabla);
    capa->addWidget(botones);
    resize(900, 400);
}
