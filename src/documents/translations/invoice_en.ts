<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>InvoicePdf</name>
    <message>
        <source>INVOICE</source>
        <translation>INVOICE</translation>
    </message>
    <message>
        <source>CREDIT NOTE</source>
        <translation>CREDIT NOTE</translation>
    </message>
    <message>
        <source>Cancels invoice %1 of %2</source>
        <translation>Cancels invoice %1 of %2</translation>
    </message>
    <message>
        <source>%1 · page %2 of %3</source>
        <translation>%1 · page %2 of %3</translation>
    </message>
    <message>
        <source>Invoice %1</source>
        <translation>Invoice %1</translation>
    </message>
    <message>
        <source>Tax number: </source>
        <translation>Tax number: </translation>
    </message>
    <message>
        <source>VAT ID: </source>
        <translation>VAT ID: </translation>
    </message>
    <message>
        <source>Invoice number</source>
        <translation>Invoice number</translation>
    </message>
    <message>
        <source>Issue date</source>
        <translation>Issue date</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>Due date</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Bill to</source>
        <translation>Bill to</translation>
    </message>
    <message>
        <source>Client number: </source>
        <translation>Client number: </translation>
    </message>
    <message>
        <source>Country: </source>
        <translation>Country: </translation>
    </message>
    <message>
        <source>Your reference: </source>
        <translation>Your reference: </translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Hours</translation>
    </message>
    <message>
        <source>Unit price</source>
        <translation>Unit price</translation>
    </message>
    <message>
        <source>Amount (%1)</source>
        <translation>Amount (%1)</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>Tax (%1)</source>
        <translation>Tax (%1)</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Hours are the whole minutes worked, to four decimal places; seconds are not billed.
Each amount is hours × unit price, rounded to the cent; the subtotal is their sum.</source>
        <translation>Hours are the whole minutes worked, to four decimal places; seconds are not billed.
Each amount is hours × unit price, rounded to the cent; the subtotal is their sum.</translation>
    </message>
    <message>
        <source>Reverse charge: VAT is due by the recipient (Article 196, Council Directive 2006/112/EC).</source>
        <translation>Reverse charge: VAT is due by the recipient (Article 196, Council Directive 2006/112/EC).</translation>
    </message>
    <message>
        <source>Not subject to VAT: services to a customer outside the EU (place of supply outside the EU).</source>
        <translation>Not subject to VAT: services to a customer outside the EU (place of supply outside the EU).</translation>
    </message>
    <message>
        <source>Exempt from VAT.</source>
        <translation>Exempt from VAT.</translation>
    </message>
    <message>
        <source>No VAT is charged: the issuer is exempt as a small business.</source>
        <translation>No VAT is charged: the issuer is exempt as a small business.</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <translation>d MMM yyyy</translation>
    </message>
    <message>
        <source>%1 – %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Credit note %1</source>
        <translation>Credit note %1</translation>
    </message>
</context>
</TS>
