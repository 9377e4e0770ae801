<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>InvoicePdf</name>
    <message>
        <source>INVOICE</source>
        <translation>RECHNUNG</translation>
    </message>
    <message>
        <source>CREDIT NOTE</source>
        <translation>STORNORECHNUNG</translation>
    </message>
    <message>
        <source>Cancels invoice %1 of %2</source>
        <translation>Storniert die Rechnung %1 vom %2</translation>
    </message>
    <message>
        <source>%1 · page %2 of %3</source>
        <translation>%1 · Seite %2 von %3</translation>
    </message>
    <message>
        <source>Invoice %1</source>
        <translation>Rechnung %1</translation>
    </message>
    <message>
        <source>Tax number: </source>
        <translation>Steuernummer: </translation>
    </message>
    <message>
        <source>VAT ID: </source>
        <translation>USt-IdNr.: </translation>
    </message>
    <message>
        <source>Invoice number</source>
        <translation>Rechnungsnummer</translation>
    </message>
    <message>
        <source>Issue date</source>
        <translation>Rechnungsdatum</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>Fällig am</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Leistungszeitraum</translation>
    </message>
    <message>
        <source>Bill to</source>
        <translation>Rechnungsempfänger</translation>
    </message>
    <message>
        <source>Client number: </source>
        <translation>Kundennummer: </translation>
    </message>
    <message>
        <source>Country: </source>
        <translation>Land: </translation>
    </message>
    <message>
        <source>Your reference: </source>
        <translation>Ihre Referenz: </translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Unit price</source>
        <translation>Einzelpreis</translation>
    </message>
    <message>
        <source>Amount (%1)</source>
        <translation>Betrag (%1)</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Nettobetrag</translation>
    </message>
    <message>
        <source>Tax (%1)</source>
        <translation>Umsatzsteuer (%1)</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamtbetrag</translation>
    </message>
    <message>
        <source>Hours are the whole minutes worked, to four decimal places; seconds are not billed.
Each amount is hours × unit price, rounded to the cent; the subtotal is their sum.</source>
        <translation>Stunden sind die ganzen gearbeiteten Minuten, auf vier Nachkommastellen; Sekunden werden nicht berechnet.
Jeder Betrag ist Stunden × Einzelpreis, auf den Cent gerundet; der Nettobetrag ist ihre Summe.</translation>
    </message>
    <message>
        <source>Reverse charge: VAT is due by the recipient (Article 196, Council Directive 2006/112/EC).</source>
        <translation>Steuerschuldnerschaft des Leistungsempfängers (Reverse Charge): Die Umsatzsteuer schuldet der Leistungsempfänger (Art. 196 der Richtlinie 2006/112/EG des Rates).</translation>
    </message>
    <message>
        <source>Not subject to VAT: services to a customer outside the EU (place of supply outside the EU).</source>
        <translation>Nicht steuerbar: Leistung an einen Empfänger außerhalb der EU (Leistungsort außerhalb der EU).</translation>
    </message>
    <message>
        <source>Exempt from VAT.</source>
        <translation>Von der Umsatzsteuer befreit.</translation>
    </message>
    <message>
        <source>No VAT is charged: the issuer is exempt as a small business.</source>
        <translation>Gemäß § 19 UStG wird keine Umsatzsteuer berechnet.</translation>
    </message>
    <message>
        <source>d MMM yyyy</source>
        <translation>d. MMM yyyy</translation>
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
        <translation>Stornorechnung %1</translation>
    </message>
</context>
</TS>
