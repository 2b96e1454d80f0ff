#include "platform/forms/core/vb_error.h"

#include <QHash>

namespace forms {

QString standard_description(int32_t number)
{
    static const QHash<int32_t, QString> texts = {
        {3, QStringLiteral("Return without GoSub")},
        {5, QStringLiteral("Invalid procedure call or argument")},
        {6, QStringLiteral("Overflow")},
        {7, QStringLiteral("Out of memory")},
        {9, QStringLiteral("Subscript out of range")},
        {10, QStringLiteral("This array is fixed or temporarily locked")},
        {11, QStringLiteral("Division by zero")},
        {13, QStringLiteral("Type mismatch")},
        {14, QStringLiteral("Out of string space")},
        {28, QStringLiteral("Out of stack space")},
        {35, QStringLiteral("Sub or Function not defined")},
        {48, QStringLiteral("Error in loading DLL")},
        {52, QStringLiteral("Bad file name or number")},
        {53, QStringLiteral("File not found")},
        {54, QStringLiteral("Bad file mode")},
        {55, QStringLiteral("File already open")},
        {57, QStringLiteral("Device I/O error")},
        {58, QStringLiteral("File already exists")},
        {61, QStringLiteral("Disk full")},
        {62, QStringLiteral("Input past end of file")},
        {70, QStringLiteral("Permission denied")},
        {75, QStringLiteral("Path/File access error")},
        {76, QStringLiteral("Path not found")},
        {91, QStringLiteral("Object variable or With block variable not set")},
        {92, QStringLiteral("For loop not initialized")},
        {94, QStringLiteral("Invalid use of Null")},
        {327, QStringLiteral("Data value named not found")},
        {340, QStringLiteral("Control array element does not exist")},
        {360, QStringLiteral("Object already loaded")},
        {364, QStringLiteral("Object was unloaded")},
        {380, QStringLiteral("Invalid property value")},
        {381, QStringLiteral("Invalid property array index")},
        {382, QStringLiteral("Set not supported at runtime")},
        {383, QStringLiteral("Set not supported (read-only property)")},
        {385, QStringLiteral("Need property array index")},
        {387, QStringLiteral("Set not permitted")},
        {393, QStringLiteral("Get not supported at runtime")},
        {394, QStringLiteral("Get not supported (write-only property)")},
        {398, QStringLiteral("Client site not available")},
        {400, QStringLiteral("Form already displayed; can't show modally")},
        {422, QStringLiteral("Property not found")},
        {423, QStringLiteral("Property or method not found")},
        {424, QStringLiteral("Object required")},
        {429, QStringLiteral("ActiveX component can't create object")},
        {438, QStringLiteral("Object doesn't support this property or method")},
        {440, QStringLiteral("Automation error")},
        {445, QStringLiteral("Object doesn't support this action")},
        {446, QStringLiteral("Object doesn't support named arguments")},
        {448, QStringLiteral("Named argument not found")},
        {449, QStringLiteral("Argument not optional")},
        {450, QStringLiteral("Wrong number of arguments or invalid property assignment")},
        {451, QStringLiteral("Property let procedure not defined and property get procedure did not return an object")},
        {457, QStringLiteral("This key is already associated with an element of this collection")},
        {458, QStringLiteral("Variable uses an Automation type not supported in Visual Basic")},
        {480, QStringLiteral("Can't create AutoRedraw image")},
        {481, QStringLiteral("Invalid picture")},
        {482, QStringLiteral("Printer error")},
        {32755, QStringLiteral("Cancel was selected.")},
    };
    auto it = texts.constFind(number);
    return it == texts.constEnd() ? QStringLiteral("Application-defined or object-defined error") : *it;
}

VbError::VbError(int32_t number, QString source, QString description)
    : number_(number), source_(std::move(source)),
      description_(description.isEmpty() ? standard_description(number) : std::move(description)),
      what_(description_.toStdString())
{
}

void raise(int32_t number, const QString& source, const QString& description)
{
    throw VbError(number, source, description);
}

} // namespace forms
