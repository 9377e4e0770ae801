<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>InvoicePdf</name>
    <message>
        <source>INVOICE</source>
        <translation>FACTURE</translation>
    </message>
    <message>
        <source>CREDIT NOTE</source>
        <translation>AVOIR</translation>
    </message>
    <message>
        <source>Cancels invoice %1 of %2</source>
        <translation>Annule la facture n° %1 du %2</translation>
    </message>
    <message>
        <source>%1 · page %2 of %3</source>
        <translation>%1 · page %2 sur %3</translation>
    </message>
    <message>
        <source>Invoice %1</source>
        <translation>Facture %1</translation>
    </message>
    <message>
        <source>Tax number: </source>
        <translation>Numéro fiscal : </translation>
    </message>
    <message>
        <source>VAT ID: </source>
        <translation>N° TVA intracommunautaire : </translation>
    </message>
    <message>
        <source>Invoice number</source>
        <translation>N° de facture</translation>
    </message>
    <message>
        <source>Issue date</source>
        <translation>Date d’émission</translation>
    </message>
    <message>
        <source>Due date</source>
        <translation>Date d’échéance</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Période de prestation</translation>
    </message>
    <message>
        <source>Bill to</source>
        <translation>Facturé à</translation>
    </message>
    <message>
        <source>Client number: </source>
        <translation>N° client : </translation>
    </message>
    <message>
        <source>Country: </source>
        <translation>Pays : </translation>
    </message>
    <message>
        <source>Your reference: </source>
        <translation>Votre référence : </translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Désignation</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Unit price</source>
        <translation>P.U. HT</translation>
    </message>
    <message>
        <source>Amount (%1)</source>
        <translation>Montant HT (%1)</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Total HT</translation>
    </message>
    <message>
        <source>Tax (%1)</source>
        <translation>TVA (%1)</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total TTC</translation>
    </message>
    <message>
        <source>Hours are the whole minutes worked, to four decimal places; seconds are not billed.
Each amount is hours × unit price, rounded to the cent; the subtotal is their sum.</source>
        <translation>Les heures sont les minutes entières travaillées, à quatre décimales ; les secondes ne sont pas facturées.
Chaque montant est heures × prix unitaire, arrondi au centime ; le total HT est leur somme.</translation>
    </message>
    <message>
        <source>Reverse charge: VAT is due by the recipient (Article 196, Council Directive 2006/112/EC).</source>
        <translation>Autoliquidation : TVA due par le preneur (article 196 de la directive 2006/112/CE du Conseil).</translation>
    </message>
    <message>
        <source>Not subject to VAT: services to a customer outside the EU (place of supply outside the EU).</source>
        <translation>TVA non applicable : prestation de services à un client établi hors de l’UE (lieu de la prestation hors de l’UE).</translation>
    </message>
    <message>
        <source>Exempt from VAT.</source>
        <translation>Exonération de TVA.</translation>
    </message>
    <message>
        <source>No VAT is charged: the issuer is exempt as a small business.</source>
        <translation>TVA non applicable, art. 293 B du CGI</translation>
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
        <translation>Avoir %1</translation>
    </message>
</context>
</TS>
