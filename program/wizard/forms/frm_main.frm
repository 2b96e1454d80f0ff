OstrelForm 1
# The wizard's main form: seven pages docked at the top, the navigator's button bar at the
# bottom. Texts that read "RESn:..." are replaced at load by string n of the program.
Begin Form frmMain
   Caption = String "RES127:Tallimar"
   BorderStyle = Long 1
   ControlBox = Boolean True
   StartUpPosition = Long 2
   Width = Double 7512
   Height = Double 5676
   Begin KyComCtl.KyWizardTab wtWelcome
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 1
      PageBack = Long 0
      PageNext = Long 2
      PageMode = Long 0
      PageState = Long 1
      WaterMarkTitle = String "RES101:Welcome to the wizard"
      WaterMarkDescription = String "RES102:What the wizard does"
      WatermarkTitleFont = Font Name="Verdana" Size=12 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      UseDefaultButtonSet = Boolean False
      LBCaption = String "Cancel"
      LBEnabled = Boolean False
      LBRule = Long 0
      LMBEnabled = Boolean False
      DefaultButton = Long 3
      CancelButton = Long 4
   End
   Begin KyComCtl.KyWizardTab wtSelectOption
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 2
      PageBack = Long 1
      PageNext = Long 3
      BannerTitle = String "RES149:Select Collection Options"
      BannerDescription = String "RES150:What to collect"
      BannerTitleFont = Font Name="Verdana" Size=8.25 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      BannerDescriptionFont = Font Name="DejaVu Sans Condensed" Size=8 Weight=400 Italic=0 Underline=0 Strikethrough=0 Charset=0
      Begin VB.Label lblCollectOptions
         @Left = Double 600
         @Top = Double 1380
         @Width = Double 6297
         @Height = Double 255
         Caption = String "RES151:Select collection options:"
         BackStyle = Long 0
      End
      Begin VB.OptionButton optNetwork
         @Left = Double 840
         @Top = Double 1800
         @Width = Double 6057
         @Height = Double 315
         Caption = String "RES152:&Windows network"
         Value = Boolean True
      End
      Begin VB.OptionButton optExchange5
         @Left = Double 840
         @Top = Double 2220
         @Width = Double 6057
         @Height = Double 315
         Caption = String "RES153:&Exchange 5.5"
      End
   End
   Begin KyComCtl.KyWizardTab wtSelectDomains
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 3
      PageBack = Long 2
      PageNext = Long 4
      BannerTitle = String "RES104:Select Domains"
      BannerDescription = String "RES103:Select domains"
      BannerTitleFont = Font Name="Verdana" Size=8.25 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      BannerDescriptionFont = Font Name="DejaVu Sans Condensed" Size=8 Weight=400 Italic=0 Underline=0 Strikethrough=0 Charset=0
      UseDefaultButtonSet = Boolean False
      LBCaption = String "Cancel"
      LBEnabled = Boolean False
      LBRule = Long 0
      DefaultButton = Long 3
      CancelButton = Long 4
      Begin VB.Label lblDomains
         @Left = Double 600
         @Top = Double 1320
         @Width = Double 3000
         @Height = Double 255
         Caption = String "&Domains:"
         BackStyle = Long 0
      End
      Begin MSComctlLib.ListView lstDomainsList
         @Left = Double 600
         @Top = Double 1590
         @Width = Double 6297
         @Height = Double 2220
         Checkboxes = Boolean True
         HideColumnHeaders = Boolean True
      End
      Begin VB.CommandButton cmdAddDomain
         @Left = Double 600
         @Top = Double 3936
         @Width = Double 1575
         @Height = Double 375
         Caption = String "&Add Domain..."
      End
      Begin VB.CommandButton cmdSelectDeselect
         @Index = Long 0
         @Left = Double 4242
         @Top = Double 3936
         @Width = Double 1275
         @Height = Double 375
         Caption = String "&Select All"
      End
      Begin VB.CommandButton cmdSelectDeselect
         @Index = Long 1
         @Left = Double 5622
         @Top = Double 3936
         @Width = Double 1275
         @Height = Double 375
         Caption = String "&Clear All"
      End
   End
   Begin KyComCtl.KyWizardTab wtProcessing
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 4
      PageBack = Long 3
      PageNext = Long 5
      BannerTitle = String "Collecting statistics"
      BannerDescription = String "Set per run"
      BannerTitleFont = Font Name="Verdana" Size=8.25 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      BannerDescriptionFont = Font Name="DejaVu Sans Condensed" Size=8 Weight=400 Italic=0 Underline=0 Strikethrough=0 Charset=0
      UseDefaultButtonSet = Boolean False
      LBCaption = String "Cancel"
      LBEnabled = Boolean False
      LBRule = Long 0
      RMBEnabled = Boolean False
      DefaultButton = Long 3
      CancelButton = Long 4
      Begin KyComCtl.KyProgressInfo piProgressInfo
         @Left = Double 120
         @Top = Double 1140
         @Width = Double 7275
         @Height = Double 3600
         @TabStop = Boolean False
         Description = String "RES131:Please wait"
         StepDescription1 = String ""
         StepDescription2 = String ""
         StepDescription3 = String ""
         StepDescription4 = String ""
         DisplayElapsedTime = Boolean False
         DisplayEstimatedTime = Boolean False
      End
      Begin KyComCtl.KyProgressBar prbProcessProgress
         @Left = Double 600
         @Top = Double 3450
         @Width = Double 6615
         @Height = Double 255
         @Visible = Boolean False
      End
      Begin VB.Label lblProcessingNote
         @Left = Double 1320
         @Top = Double 2490
         @Width = Double 5800
         @Height = Double 255
         Caption = String "Collecting process may take several minutes"
         BackStyle = Long 0
      End
      Begin VB.Label lblDetectionProgress
         @Left = Double 600
         @Top = Double 3210
         @Width = Double 6297
         @Height = Double 255
         Caption = String "Detection progress:"
         BackStyle = Long 0
         Visible = Boolean False
      End
   End
   Begin KyComCtl.KyWizardTab wtChooseOutput
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 5
      PageBack = Long 3
      PageNext = Long 6
      BannerTitle = String "RES107:View Statistics"
      BannerDescription = String "RES108:View statistics"
      BannerTitleFont = Font Name="Verdana" Size=8.25 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      BannerDescriptionFont = Font Name="DejaVu Sans Condensed" Size=8 Weight=400 Italic=0 Underline=0 Strikethrough=0 Charset=0
      UseDefaultButtonSet = Boolean False
      LBCaption = String "Cancel"
      LBEnabled = Boolean False
      LBRule = Long 0
      DefaultButton = Long 3
      CancelButton = Long 4
      Begin VB.Label lblStatistics
         @Left = Double 600
         @Top = Double 1320
         @Width = Double 6297
         @Height = Double 255
         Caption = String "S&tatistics for successfully inspected items:"
         BackStyle = Long 0
      End
      Begin MSFlexGridLib.MSFlexGrid fxgOutResults
         @Left = Double 600
         @Top = Double 1590
         @Width = Double 6297
         @Height = Double 1935
      End
      Begin VB.Label lblErrors
         @Left = Double 600
         @Top = Double 3600
         @Width = Double 6297
         @Height = Double 255
         BackStyle = Long 0
      End
      Begin VB.CommandButton cmdChooseOutput
         @Index = Long 0
         @Left = Double 600
         @Top = Double 3936
         @Width = Double 1215
         @Height = Double 375
         Caption = String "&Copy"
      End
      Begin VB.CommandButton cmdChooseOutput
         @Index = Long 1
         @Left = Double 1935
         @Top = Double 3936
         @Width = Double 1215
         @Height = Double 375
         Caption = String "&Print..."
      End
      Begin VB.CommandButton cmdChooseOutput
         @Index = Long 2
         @Left = Double 3270
         @Top = Double 3936
         @Width = Double 1215
         @Height = Double 375
         Caption = String "&Save..."
      End
      Begin VB.CommandButton cmdViewLog
         @Left = Double 5682
         @Top = Double 3936
         @Width = Double 1215
         @Height = Double 375
         Caption = String "&View Log"
      End
   End
   Begin KyComCtl.KyWizardTab wtFinish
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 6
      PageBack = Long 5
      PageNext = Long 0
      PageMode = Long 2
      WaterMarkTitle = String "RES112:Completing the wizard"
      WaterMarkDescription = String "RES113:You have completed the wizard"
      WaterMarkRule = String "To close the wizard, click Finish."
      WatermarkTitleFont = Font Name="Verdana" Size=12 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      UseDefaultButtonSet = Boolean False
      LBCaption = String "Cancel"
      LBEnabled = Boolean False
      LBRule = Long 0
      LBVisible = Boolean True
      RMBEnabled = Boolean False
      RBCaption = String "&Finish"
      RBRule = Long 6
      DefaultButton = Long 4
      CancelButton = Long 1
   End
   Begin KyComCtl.KyWizardTab wtSelectOrganizations
      @Align = Long 1
      @TabStop = Boolean False
      PageIndex = Long 7
      PageBack = Long 2
      PageNext = Long 4
      BannerTitle = String "RES154:Exchange 5.5 Organizations"
      BannerDescription = String "RES155:Exchange servers"
      BannerTitleFont = Font Name="Verdana" Size=8.25 Weight=700 Italic=0 Underline=0 Strikethrough=0 Charset=0
      BannerDescriptionFont = Font Name="DejaVu Sans Condensed" Size=8 Weight=400 Italic=0 Underline=0 Strikethrough=0 Charset=0
      Begin VB.Label lblOrgs
         @Left = Double 600
         @Top = Double 1320
         @Width = Double 3000
         @Height = Double 255
         Caption = String "E&xchange servers:"
         BackStyle = Long 0
      End
      Begin MSComctlLib.ListView lstOrgs
         @Left = Double 600
         @Top = Double 1590
         @Width = Double 4902
         @Height = Double 2220
         HideColumnHeaders = Boolean True
      End
      Begin VB.CommandButton cmdAddOrg
         @Left = Double 5622
         @Top = Double 1590
         @Width = Double 1275
         @Height = Double 375
         Caption = String "&Add..."
      End
      Begin VB.CommandButton cmdRemoveOrg
         @Left = Double 5622
         @Top = Double 2055
         @Width = Double 1275
         @Height = Double 375
         Caption = String "&Remove"
      End
      Begin VB.CommandButton cmdEditOrg
         @Left = Double 5622
         @Top = Double 2520
         @Width = Double 1275
         @Height = Double 375
         Caption = String "&Edit..."
      End
   End
   Begin KyComCtl.KyWizardNavigator KyWizardNavigator1
      @Align = Long 2
      @Default = Boolean True
      @Cancel = Boolean True
      @TabIndex = Long 7
      ButtonGapRight = Long 300
      WizardSizeMode = Long 1
      ParentWidth = Long 7512
      ParentHeight = Long 5676
      DefaultButton = Long 0
   End
End
