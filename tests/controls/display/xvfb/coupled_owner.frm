OstrelForm 1
# The window a coupled dialog is shown over.
Begin Form frmOwner
   Caption = String "Coupling owner"
   Width = Double 6000
   Height = Double 4000
End
