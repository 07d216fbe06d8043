// Field type families and name helpers of the data object; none touches the database.
#include "data/DB_Dll.h"

#include <initializer_list>

namespace {

bool entre(const QVariant& tipo, std::initializer_list<int> lista)
{
    bool ok = false;
    const int n = tipo.toInt(&ok);
    if (!ok)
        return false;
    for (int t : lista)
        if (t == n)
            return true;
    return false;
}

} // namespace

bool DB_Dll::adodate(const QVariant& Qtype) { return entre(Qtype, {7, 133, 137, 134, 135, 64}); }
bool DB_Dll::ADOText(const QVariant& Qtype) { return entre(Qtype, {8, 201, 203, 200, 202, 130}); }
bool DB_Dll::ADONumeric(const QVariant& Qtype) { return entre(Qtype, {20, 14, 5, 3, 131, 4, 2, 16, 21, 19, 18, 17}); }
bool DB_Dll::ADOCurrency(const QVariant& Qtype) { return entre(Qtype, {6}); }
bool DB_Dll::ADOBoolean(const QVariant& Qtype) { return entre(Qtype, {11}); }

QString DB_Dll::AddBrackets(const QString& rObjName)
{
    if (rObjName.contains(u' ') && !rObjName.startsWith(u'['))
        return u'[' + rObjName + u']';
    return rObjName;
}

QString DB_Dll::StripBrackets(const QString& rsObjName)
{
    if (rsObjName.startsWith(u'['))
        return rsObjName.mid(1, rsObjName.size() - 2);
    return rsObjName;
}

QString DB_Dll::StripConnect(const QString& rsTblName)
{
    const int flecha = rsTblName.indexOf(QStringLiteral("->"));
    if (flecha < 0)
        return rsTblName;
    return rsTblName.left(qMax(0, flecha - 1));
}

QString DB_Dll::StripFileName(const QString& rsFileName)
{
    const int barra = rsFileName.lastIndexOf(u'\\');
    return barra < 0 ? QString() : rsFileName.left(barra);
}

QString DB_Dll::stSTF(QString& rsName, bool rnPart)
{
    if (rsName.count(u'.') >= 2)
        return StripOwner(rsName);
    const int punto = rsName.indexOf(u'.');
    if (rnPart)
        return rsName.mid(punto + 1);
    if (punto < 0)
        throw ErrorVB(ErrorVB::LlamadaInvalida, QStringLiteral("El nombre \"%1\" no tiene propietario.").arg(rsName));
    return rsName.left(punto);
}
